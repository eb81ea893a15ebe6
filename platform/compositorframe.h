#pragma once

#include <memory>

namespace kv {

// Waits until the Wayland compositor has handled every request sent to it so far,
// ours included, and has drawn a new frame since: after a window is hidden, the
// screen no longer shows it from then on. Asks through a connection of its own (a
// round trip, then a frame callback of a surface that is never shown); a compositor
// that sends no callbacks for such a surface is given `timeoutMs`; with 0, only the
// round trip is made. Returns whether a frame was seen; false as well outside a
// Wayland session.
bool waitForCompositorFrame(int timeoutMs);

// The same over one connection kept open: a compositor may take a long time over a
// new client's first round trip (KWin about half a second), so the connection is made
// ahead, when nothing waits for it, and serves every later wait at once.
class CompositorLink {
public:
    CompositorLink();
    ~CompositorLink();
    CompositorLink(const CompositorLink&) = delete;
    CompositorLink& operator=(const CompositorLink&) = delete;
    // Connects (once) and sends the first request without waiting for its answer.
    void open();
    // As waitForCompositorFrame; connects first if open() was not called.
    bool waitForFrame(int timeoutMs);

private:
    struct Connection;
    std::unique_ptr<Connection> c_;
};

} // namespace kv
