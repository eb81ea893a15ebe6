#pragma once

#include <memory>

namespace kv {

// Waits until the Wayland compositor has handled every request sent to it so far,
// ours included, through a connection of its own (a round trip): after a window
// was hidden, what a later screenshot request shows no longer has it. Returns
// whether a compositor answered; false outside a Wayland session.
bool syncWithCompositor();

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
    // As syncWithCompositor; connects first if open() was not called.
    bool roundTrip();

private:
    struct Connection;
    std::unique_ptr<Connection> c_;
};

} // namespace kv
