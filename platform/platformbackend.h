#pragma once

// Which backend serves the desktop session (see Platform), chosen once at start.
#include <QString>

namespace kv {

enum class PlatformBackend {
    X11,    // the X server: MIT-SHM reads, window properties
    Portal, // a Wayland session: every picture from the desktop portal
    Null,   // no desktop at all: a made-up screen, no windows (tests, headless runs)
};

// The backend for this session: KOLVANE_PLATFORM ("x11", "portal" or "null") when
// set; otherwise the portal in a Wayland session (WAYLAND_DISPLAY set, or
// XDG_SESSION_TYPE=wayland) and X11 elsewhere.
PlatformBackend chooseBackend();
// Whether this is a Wayland session, where other programs' pixels are reached only
// through the portal. For platform/ only: above it, ask the Platform's capabilities.
bool isWaylandSession();
// The backend's name as KOLVANE_PLATFORM spells it.
QString backendName(PlatformBackend backend);

} // namespace kv
