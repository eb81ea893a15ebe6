#pragma once

namespace kv {

// The largest scale the Wayland compositor gives its outputs (device pixels per
// layout pixel; 1 when there is no compositor or it says nothing). Asked on a
// connection of its own, before Qt starts, so that Qt can be set to draw in device
// pixels: the portal's pictures are in device pixels, and Kolvane keeps to them.
int waylandOutputScale();

} // namespace kv
