#pragma once

namespace kv {

// Waits until the Wayland compositor has handled every request sent to it so far,
// ours included, and has drawn a new frame since: after a window is hidden, the
// screen no longer shows it from then on. Asks through a connection of its own (a
// round trip, then a frame callback of a surface that is never shown); a compositor
// that sends no callbacks for such a surface is given `timeoutMs`; with 0, only the
// round trip is made. Returns whether a frame was seen; false as well outside a
// Wayland session.
bool waitForCompositorFrame(int timeoutMs);

} // namespace kv
