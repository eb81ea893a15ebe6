#pragma once

// The region editor's way back to the window that opened it, and what finishing hands
// back.
#include "platform/picture.h"
#include "platform/pictureclipboard.h"

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
};

} // namespace kv
