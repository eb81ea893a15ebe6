#pragma once

#include "platform/windowtree.h"

#include <QRect>
#include <QtGui/qwindowdefs.h>
#include <memory>

namespace kv {

// Top-level windows as the window manager shows them, in X screen pixels.
class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;
    // The root window, which covers the whole screen.
    virtual WId desktopWindow() const = 0;
    // The window the window manager marks as active (foreground); 0 when none.
    virtual WId activeWindow() const = 0;
    // Where a window is on the screen: with client false the whole window with the
    // frame the window manager drew around it, with client true only the window's
    // own area. A null rectangle when the window does not exist.
    virtual QRect windowRect(WId window, bool client) const = 0;
    // Whether activeWindow() can tell at all. A Wayland client is never told which
    // window is active, nor where other windows are.
    virtual bool knowsActiveWindow() const { return true; }
    // The windows on the screen now, cut to `desktop` (the monitors' bounding
    // rectangle): read together with a frozen picture of the screen so that the two
    // match. Empty where window positions are not told (Wayland).
    virtual WindowTree windowTree(const QRect& desktop) const {
        (void)desktop;
        return {};
    }
};

// The windows of the running X display; nothing when there is none.
std::unique_ptr<DesktopWindows> createX11DesktopWindows();

} // namespace kv
