#include "platform/x11windows.h"

#include "platform/x11connection.h"
#include "platform/x11windowtree.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

namespace kv {
namespace {

// Replies are malloc'ed by xcb; this frees them on every path.
template <typename T> struct Reply {
    T* p;
    explicit Reply(T* r) : p(r) {}
    ~Reply() { std::free(p); }
    Reply(const Reply&) = delete;
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

class X11DesktopWindows final : public DesktopWindows {
public:
    explicit X11DesktopWindows(std::shared_ptr<X11Connection> x)
        : x_(std::move(x)), activeCookie_(intern("_NET_ACTIVE_WINDOW")),
          extentsCookie_(intern("_NET_FRAME_EXTENTS")), wmStateCookie_(intern("WM_STATE")),
          clientListCookie_(intern("_NET_CLIENT_LIST")) {}
    // Answers never taken would wait in the connection for good.
    ~X11DesktopWindows() override { atoms(); }

    WId desktopWindow() const override { return x_->root(); }

    WId activeWindow() const override {
        if (auto w = windowProperty(x_->root(), atoms().active)) return w;
        // No EWMH window manager: the window with the keyboard focus, taken up to
        // its top-level window.
        xcb_connection_t* c = x_->get();
        Reply focus(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
        if (!focus || focus->focus == XCB_NONE || focus->focus == XCB_INPUT_FOCUS_POINTER_ROOT ||
            focus->focus == x_->root())
            return 0;
        return topLevel(focus->focus);
    }

    QRect windowRect(WId id, bool client) const override {
        const auto window = xcb_window_t(id);
        xcb_connection_t* c = x_->get();
        Reply geometry(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
        if (!geometry) return {};
        if (window == x_->root()) return QRect(0, 0, geometry->width, geometry->height);
        Reply origin(xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, window, x_->root(), 0, 0), nullptr));
        if (!origin) return {};
        const QRect inner(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
        if (client) return inner;
        const int b = geometry->border_width;
        const QRect outer = inner.adjusted(-b, -b, b, b);
        // A window manager that follows EWMH says how wide its frame is; one that
        // does not still reparents the window into its frame window.
        if (auto extents = frameExtents(window))
            return outer.adjusted(-extents->left, -extents->top, extents->right, extents->bottom);
        const xcb_window_t frame = topLevel(window);
        if (frame == window) return outer;
        Reply fg(xcb_get_geometry_reply(c, xcb_get_geometry(c, frame), nullptr));
        if (!fg) return outer;
        return QRect(fg->x, fg->y, fg->width + 2 * fg->border_width,
                     fg->height + 2 * fg->border_width);
    }

    WindowTree windowTree(const QRect& desktop) const override {
        return readX11WindowTree(*x_, desktop,
                                 {atoms().wmState, atoms().extents, atoms().clientList});
    }

private:
    struct Extents {
        int left, right, top, bottom;
    };

    std::optional<Extents> frameExtents(xcb_window_t window) const {
        const xcb_atom_t netFrameExtents = atoms().extents;
        if (netFrameExtents == XCB_ATOM_NONE) return std::nullopt;
        xcb_connection_t* c = x_->get();
        Reply r(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, netFrameExtents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        if (!r || r->format != 32 || xcb_get_property_value_length(r.p) < 16) return std::nullopt;
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r.p));
        return Extents{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    }

    WId windowProperty(xcb_window_t window, xcb_atom_t property) const {
        if (property == XCB_ATOM_NONE) return 0;
        xcb_connection_t* c = x_->get();
        Reply r(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (!r || r->format != 32 || xcb_get_property_value_length(r.p) < 4) return 0;
        uint32_t w;
        std::memcpy(&w, xcb_get_property_value(r.p), 4);
        return w;
    }

    // The ancestor of a window that is a child of the root window: the window
    // manager's frame when it reparents, otherwise the window itself.
    xcb_window_t topLevel(xcb_window_t window) const {
        xcb_connection_t* c = x_->get();
        for (int depth = 0; depth < 64; ++depth) {
            Reply tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
            if (!tree || tree->parent == XCB_NONE || tree->parent == tree->root) return window;
            window = tree->parent;
        }
        return window;
    }

    std::shared_ptr<X11Connection> x_;
    // The atoms are asked for when the object is made and their answers taken at
    // the first use: made at start-up, it does not wait for the server then.
    struct Atoms {
        xcb_atom_t active = XCB_ATOM_NONE;
        xcb_atom_t extents = XCB_ATOM_NONE;
        xcb_atom_t wmState = XCB_ATOM_NONE;
        xcb_atom_t clientList = XCB_ATOM_NONE;
    };
    xcb_intern_atom_cookie_t intern(const char* name) const {
        return xcb_intern_atom(x_->get(), 1, uint16_t(std::strlen(name)), name);
    }
    static xcb_atom_t answer(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
        Reply reply(xcb_intern_atom_reply(c, cookie, nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    const Atoms& atoms() const {
        std::call_once(atomsTaken_, [this] {
            atoms_.active = answer(x_->get(), activeCookie_);
            atoms_.extents = answer(x_->get(), extentsCookie_);
            atoms_.wmState = answer(x_->get(), wmStateCookie_);
            atoms_.clientList = answer(x_->get(), clientListCookie_);
        });
        return atoms_;
    }
    xcb_intern_atom_cookie_t activeCookie_;
    xcb_intern_atom_cookie_t extentsCookie_;
    xcb_intern_atom_cookie_t wmStateCookie_;
    xcb_intern_atom_cookie_t clientListCookie_;
    mutable std::once_flag atomsTaken_;
    mutable Atoms atoms_;
};

} // namespace

std::unique_ptr<DesktopWindows> createX11DesktopWindows() {
    auto x = X11Connection::open();
    if (!x || !x->screen()) return nullptr;
    return std::make_unique<X11DesktopWindows>(std::move(x));
}

} // namespace kv
