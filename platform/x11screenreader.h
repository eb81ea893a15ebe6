#pragma once

#include "platform/screenreader.h"

#include <memory>

namespace kv {

// The two readers behind createScreenReader(), reachable on their own so that
// they can be compared with each other and measured.
//
// How an X reader reads rectangles.
enum class X11ReadPath {
    Best,           // Render into shared memory where the server can, else as below
    SharedMemory,   // MIT-SHM GetImage, the top byte set here
    NoSharedMemory, // Qt's grab
};
// Reads the root window straight from the X server. Nothing when there is no X
// display.
std::unique_ptr<ScreenReader> createX11ScreenReader(X11ReadPath path);
// Qt's QScreen::grabWindow for everything.
std::unique_ptr<ScreenReader> createQtScreenReader();

} // namespace kv

namespace kv {

// A bare MIT-SHM read of the root window into one reused segment, without any
// conversion or copy: the floor against which the screen reader is measured.
class RawSharedMemoryRead {
public:
    virtual ~RawSharedMemoryRead() = default;
    virtual bool read(const QRect& rect) = 0;
};
// Nothing when the display has no usable MIT-SHM.
std::unique_ptr<RawSharedMemoryRead> createRawSharedMemoryRead(const QSize& largest);

} // namespace kv
