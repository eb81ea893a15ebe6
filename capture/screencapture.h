#pragma once

#include "platform/screenreader.h"
#include "platform/x11windows.h"

#include <QImage>

namespace kv {

// Copies what the screen shows into a picture: the whole primary screen, any
// rectangle of a window, or the foreground window with its frame. The copy is of
// the screen, so whatever covers a window at that moment is copied too.
class ScreenCapture {
public:
    ScreenCapture(ScreenReader& screen, DesktopWindows& windows)
        : screen_(screen), windows_(windows) {}

    // Each read gives the reason with a null picture where the screen could not be
    // read.
    // The primary monitor, wherever it lies on the desktop.
    ScreenGrab captureScreen();
    // The rectangle (left, top, width x height) of a window, counted from the
    // window's top-left corner: from its frame when client is false, from its own
    // area when true. A null image for an empty rectangle or a window that is gone;
    // black where no monitor shows the rectangle.
    ScreenGrab captureWindow(WId window, bool client, int left, int top, int width, int height);
    // The foreground window, frame included; a null image when there is none.
    ScreenGrab captureActiveWindow();

private:
    ScreenReader& screen_;
    DesktopWindows& windows_;
};

} // namespace kv
