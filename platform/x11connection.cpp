#include "platform/x11connection.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>

namespace kv {

X11Connection::X11Connection(xcb_connection_t* conn, bool owned, int screenNumber)
    : conn_(conn), owned_(owned) {
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(conn_));
    for (int i = 0; it.rem; ++i, xcb_screen_next(&it)) {
        if (i == screenNumber || !screen_) screen_ = it.data;
        if (i == screenNumber) break;
    }
}

X11Connection::~X11Connection() {
    if (owned_) xcb_disconnect(conn_);
}

std::shared_ptr<X11Connection> X11Connection::open() {
    int screenNumber = 0;
    const char* display = std::getenv("DISPLAY");
    if (display && *display) {
        char* host = nullptr;
        int displayNumber = 0;
        if (xcb_parse_display(display, &host, &displayNumber, &screenNumber)) std::free(host);
    }
    if (auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (xcb_connection_t* c = x11->connection())
            return std::shared_ptr<X11Connection>(new X11Connection(c, false, screenNumber));
    }
    if (!display || !*display) return nullptr;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return nullptr;
    }
    auto result = std::shared_ptr<X11Connection>(new X11Connection(c, true, screenNumber));
    if (!result->screen_) return nullptr;
    return result;
}

xcb_atom_t X11Connection::atom(const char* name) const {
    auto cookie = xcb_intern_atom(conn_, 1, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(conn_, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    xcb_atom_t a = reply->atom;
    std::free(reply);
    return a;
}

} // namespace kv
