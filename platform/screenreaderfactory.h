#pragma once

// The choice of the screen reader for this session.
#include "platform/screenreader.h"

#include <memory>

namespace kv {

// The reader for this session, chosen once: the desktop portal in a Wayland
// session, the X server otherwise (Qt's grab where the X server cannot be reached).
std::unique_ptr<ScreenReader> createScreenReader();
// Whether this is a Wayland session (WAYLAND_DISPLAY set, or XDG_SESSION_TYPE
// says so), where other programs' pixels are reached only through the portal.
bool isWaylandSession();

} // namespace kv
