#pragma once

class QWindow;

namespace kv {

// Asks the window manager to leave a window out of the task bar and the pager
// (X11: _NET_WM_STATE_SKIP_TASKBAR and _SKIP_PAGER, added before the window is
// first mapped; Qt keeps what it finds there when it adds its own states). Call it
// once the native window exists and before it is shown. Nothing on other window
// systems: a Wayland compositor decides for itself.
void keepOutOfTaskBar(QWindow* window);

} // namespace kv
