#pragma once

#include "platform/picture.h"

namespace kv {

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
    // The finished region, for the main window's preview box.
    virtual void SnapShowPicture(const Picture& picture) = 0;
    // The editor has unloaded itself (window, controls and state are to be discarded);
    // the host lets go of it. The editor object is deleted later by the event loop.
    virtual void SnapUnloaded() = 0;
};

} // namespace kv
