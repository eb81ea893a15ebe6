#include "platform/x11windowtree.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>

namespace kv {
namespace {

// Replies are malloc'ed by xcb.
struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using ReplyPtr = std::unique_ptr<T, FreeReply>;

// How deep and how many windows are read: more than any real desktop needs, and a
// bound on a display with a runaway program.
constexpr int kMaxDepth = 8;
constexpr size_t kMaxWindows = 4000;

struct XWindow {
    xcb_window_t id = XCB_NONE;
    QRect rect; // inside the border, screen pixels
    int border = 0;
    bool managed = false;          // carries WM_STATE: the program's window a manager framed
    std::vector<XWindow> children; // topmost first
};

struct ChildRequests {
    xcb_window_t id;
    xcb_get_window_attributes_cookie_t attributes;
    xcb_get_geometry_cookie_t geometry;
    xcb_get_property_cookie_t state;
};

class TreeReader {
public:
    explicit TreeReader(const X11Connection& x) : x_(x), c_(x.get()), wmState_(x.atom("WM_STATE")) {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        ownBase_ = setup->resource_id_base;
        ownMask_ = setup->resource_id_mask;
    }

    XWindow read() {
        XWindow root;
        root.id = x_.root();
        root.rect = QRect(0, 0, x_.screen()->width_in_pixels, x_.screen()->height_in_pixels);
        std::vector<XWindow*> level{&root};
        for (int depth = 0; depth < kMaxDepth && !level.empty(); ++depth)
            level = readLevel(level);
        return root;
    }

    bool ours(xcb_window_t w) const { return (w & ~ownMask_) == ownBase_; }

private:
    // Reads the children of every window of one level; returns the next level.
    std::vector<XWindow*> readLevel(const std::vector<XWindow*>& parents) {
        std::vector<xcb_query_tree_cookie_t> trees;
        for (XWindow* p : parents)
            trees.push_back(xcb_query_tree(c_, p->id));
        std::vector<std::vector<ChildRequests>> asked(parents.size());
        for (size_t i = 0; i < parents.size(); ++i) {
            ReplyPtr<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c_, trees[i], nullptr));
            if (!tree) continue;
            const xcb_window_t* ids = xcb_query_tree_children(tree.get());
            const int n = xcb_query_tree_children_length(tree.get());
            // X lists children bottom first.
            for (int k = n - 1; k >= 0 && counted_ < kMaxWindows; --k, ++counted_) {
                const xcb_window_t w = ids[k];
                asked[i].push_back(
                    {w, xcb_get_window_attributes(c_, w), xcb_get_geometry(c_, w),
                     xcb_get_property(c_, 0, w, wmState_, XCB_GET_PROPERTY_TYPE_ANY, 0, 0)});
            }
        }
        std::vector<XWindow*> next;
        for (size_t i = 0; i < parents.size(); ++i) {
            for (const ChildRequests& r : asked[i])
                takeChild(*parents[i], r);
            for (XWindow& child : parents[i]->children)
                next.push_back(&child);
        }
        return next;
    }

    void takeChild(XWindow& parent, const ChildRequests& r) {
        ReplyPtr<xcb_get_window_attributes_reply_t> attrs(
            xcb_get_window_attributes_reply(c_, r.attributes, nullptr));
        ReplyPtr<xcb_get_geometry_reply_t> geom(xcb_get_geometry_reply(c_, r.geometry, nullptr));
        ReplyPtr<xcb_get_property_reply_t> state(xcb_get_property_reply(c_, r.state, nullptr));
        if (!attrs || !geom || attrs->map_state != XCB_MAP_STATE_VIEWABLE ||
            attrs->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
            return;
        XWindow w;
        w.id = r.id;
        w.border = geom->border_width;
        // A child's place is that of its border's corner inside its parent's area.
        w.rect = QRect(parent.rect.x() + geom->x + w.border, parent.rect.y() + geom->y + w.border,
                       geom->width, geom->height);
        w.managed = state && state->type != XCB_NONE;
        parent.children.push_back(std::move(w));
    }

    const X11Connection& x_;
    xcb_connection_t* c_;
    xcb_atom_t wmState_;
    uint32_t ownBase_ = 0, ownMask_ = 0;
    size_t counted_ = 0;
};

// The program's window inside a child of the root: the first one, breadth first,
// that the window manager marked; the child itself when none is.
const XWindow& clientOf(const XWindow& topLevel) {
    std::deque<const XWindow*> queue{&topLevel};
    while (!queue.empty()) {
        const XWindow* w = queue.front();
        queue.pop_front();
        if (w->managed) return *w;
        for (const XWindow& c : w->children)
            queue.push_back(&c);
    }
    return topLevel;
}

WindowNode toNode(const XWindow& w) {
    WindowNode node{w.rect, {}};
    for (const XWindow& c : w.children)
        node.children.push_back(toNode(c));
    return node;
}

// The frame as "窗体截图" takes it: the window manager's published frame widths
// (`extents`, a reply to _NET_FRAME_EXTENTS) where it gives them, else the window it
// reparented the program's window into.
QRect frameOf(const XWindow& topLevel, const XWindow& client, xcb_get_property_reply_t* extents) {
    if (extents && extents->format == 32 && xcb_get_property_value_length(extents) >= 16) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(extents));
        const int b = client.border;
        return client.rect.adjusted(-b - int(v[0]), -b - int(v[2]), b + int(v[1]), b + int(v[3]));
    }
    const int b = topLevel.border;
    return topLevel.rect.adjusted(-b, -b, b, b);
}

} // namespace

WindowTree readX11WindowTree(const X11Connection& x, const QRect& desktop) {
    TreeReader reader(x);
    const XWindow root = reader.read();
    const xcb_atom_t extentsAtom = x.atom("_NET_FRAME_EXTENTS");
    std::vector<std::pair<const XWindow*, const XWindow*>> shown; // top level, client
    std::vector<xcb_get_property_cookie_t> extents;
    for (const XWindow& top : root.children) {
        const XWindow& client = clientOf(top);
        if (reader.ours(top.id) || reader.ours(client.id)) continue;
        shown.emplace_back(&top, &client);
        extents.push_back(
            xcb_get_property(x.get(), 0, client.id, extentsAtom, XCB_ATOM_CARDINAL, 0, 4));
    }
    std::vector<TopLevelWindow> windows;
    for (size_t i = 0; i < shown.size(); ++i) {
        ReplyPtr<xcb_get_property_reply_t> r(xcb_get_property_reply(x.get(), extents[i], nullptr));
        windows.push_back(
            {frameOf(*shown[i].first, *shown[i].second, r.get()), toNode(*shown[i].second)});
    }
    return WindowTree(std::move(windows), desktop);
}

} // namespace kv
