#pragma once

#include <xcb/xcb.h>

#include <memory>

namespace kv {

// The X connection the platform layer talks through. It is Qt's own connection
// when Qt runs on xcb, so a read of the screen is ordered after the drawing Qt has
// already sent; otherwise a connection of our own. Not copyable; shared by pointer.
class X11Connection {
public:
    // Nothing when there is no X display at all.
    static std::shared_ptr<X11Connection> open();
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    xcb_connection_t* get() const { return conn_; }
    xcb_screen_t* screen() const { return screen_; }
    xcb_window_t root() const { return screen_->root; }
    // An atom by name (XCB_ATOM_NONE when the server does not answer).
    xcb_atom_t atom(const char* name) const;

private:
    X11Connection(xcb_connection_t* conn, bool owned, int screenNumber);
    xcb_connection_t* conn_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    bool owned_ = false;
};

} // namespace kv
