#pragma once

// The region editor's way back to the window that opened it, and what finishing hands
// back.
#include "platform/picture.h"
#include "platform/pictureclipboard.h"

#include <QImage>
#include <QRect>
#include <functional>

namespace kv {

// What finishing hands back: the region as it was cut, with everything drawn on it,
// and the clipboard it was put on, which can tell whether it still holds it (so that
// taking it off again never removes something copied since). A value: the editor
// keeps nothing of it.
struct FinishedRegion {
    Picture picture;
    PictureClipboard clipboard;
};

// What the region editor needs from the window that opened it. The editor lives below
// the application layer, so it reaches the main window only through this interface,
// which the main window implements.
class SnapHost {
public:
    virtual ~SnapHost() = default;
    // The main window comes back (the editor was closed or finished).
    virtual void SnapShowMainWindow() = 0;
    // The notification-area icon shown while the editor was open goes away.
    virtual void SnapRemoveTrayIcon() = 0;
    // The finished region, for the main window to show, keep and save.
    virtual void SnapFinished(const FinishedRegion& region) = 0;
    // The editor has unloaded itself (window, controls and state are to be discarded);
    // the host lets go of it. The editor object is deleted later by the event loop.
    virtual void SnapUnloaded() = 0;

    // Kolvane's own actions on the selection. `picture` is the selection as the editor
    // shows it, with its drawings; `selection` where it stands on the desktop.
    // The picture pinned where it was selected.
    virtual void SnapPin(const QImage& /*picture*/, const QRect& /*selection*/) {}
    // The picture's text read, shown and put on the clipboard.
    virtual void SnapRecognise(const QImage& /*picture*/) {}
    virtual bool SnapCanLongCapture() const { return false; }
    // A long capture of the live screen under `selection`; `done` gets the stitched page,
    // or a null picture when it was discarded (only where SnapCanLongCapture).
    virtual void SnapLongCapture(const QRect& /*selection*/,
                                 std::function<void(const QImage& page)> /*done*/) {}
};

} // namespace kv
