#pragma once

#include "platform/monitors.h"

#include <xcb/xcb.h>

namespace kv {

// The monitors of an X screen as the server sees them now: RandR's monitors where the
// server has them (RandR 1.5: outputs and monitors set with `xrandr --setmonitor`),
// else the Xinerama heads (the first one is the primary), else the root window as
// one monitor. Qt's own screen list is not asked: it lags behind changes and does not
// always agree with the server about Xinerama heads.
Monitors queryX11Monitors(xcb_connection_t* c, xcb_window_t root);

// Whether the server joins several X screens into one root through Xinerama. Render
// then reads only the first screen's part of the root; GetImage reads all of it.
bool xineramaActive(xcb_connection_t* c);

} // namespace kv
