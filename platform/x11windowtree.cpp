#include "platform/x11windowtree.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

namespace kv {
namespace {

// Replies are malloc'ed by xcb.
struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using ReplyPtr = std::unique_ptr<T, FreeReply>;

// How deep the search for a program's window inside a window manager's frame goes, how
// deep a program's own child windows are read, and how many windows in all: more than
// any real desktop needs, and a bound on a display with a runaway program.
constexpr int kFrameDepth = 3;
constexpr int kChildDepth = 6;
constexpr size_t kMaxWindows = 4000;

struct XWindow {
    xcb_window_t id = XCB_NONE;
    QRect rect; // inside the border, screen pixels
    int border = 0;
    std::vector<XWindow> children; // topmost first
};

// A child of the root, and the program's window the window manager framed in it.
struct Top {
    XWindow window;
    xcb_window_t client = XCB_NONE;
};

class TreeReader {
public:
    TreeReader(const X11Connection& x, const X11WindowAtoms& atoms)
        : x_(x), c_(x.get()), wmState_(atoms.wmState), extents_(atoms.frameExtents),
          clientList_(atoms.clientList) {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        ownBase_ = setup->resource_id_base;
        ownMask_ = setup->resource_id_mask;
    }

    // Only what the chains need is asked: the root's children, the one window inside
    // each frame that carries WM_STATE (the frame's own decorations are not read),
    // and the programs' windows below that. Requests go out in batches, one round
    // trip each.
    std::vector<TopLevelWindow> read() {
        std::vector<Top> tops = rootChildren();
        findClients(tops);
        std::erase_if(tops, [this](const Top& t) { return ours(t.window.id) || ours(t.client); });
        std::vector<TopLevelWindow> shown;
        std::vector<XWindow> clients = readClients(tops);
        std::vector<XWindow*> level;
        for (XWindow& c : clients)
            if (c.id != XCB_NONE) level.push_back(&c);
        for (int depth = 0; depth < kChildDepth && !level.empty(); ++depth)
            level = readChildren(level);
        for (size_t i = 0; i < tops.size(); ++i) {
            if (clients[i].id == XCB_NONE) clients[i] = tops[i].window; // unframed
            shown.push_back({frames_[i], toNode(clients[i])});
        }
        return shown;
    }

private:
    bool ours(xcb_window_t w) const { return w != XCB_NONE && (w & ~ownMask_) == ownBase_; }

    // The children of each window, topmost first (X lists them bottom first).
    std::vector<std::vector<xcb_window_t>> childrenOf(const std::vector<xcb_window_t>& ids) {
        std::vector<xcb_query_tree_cookie_t> cookies;
        for (xcb_window_t w : ids)
            cookies.push_back(xcb_query_tree(c_, w));
        std::vector<std::vector<xcb_window_t>> result(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            ReplyPtr<xcb_query_tree_reply_t> r(xcb_query_tree_reply(c_, cookies[i], nullptr));
            if (!r) continue;
            const xcb_window_t* c = xcb_query_tree_children(r.get());
            const int n = xcb_query_tree_children_length(r.get());
            for (int k = n - 1; k >= 0 && counted_ < kMaxWindows; --k, ++counted_)
                result[i].push_back(c[k]);
        }
        return result;
    }

    // Each window's place, when it is viewable and drawn (not input-only); `origins`
    // are the screen positions of each parent's area.
    std::vector<std::optional<XWindow>> placed(const std::vector<xcb_window_t>& ids,
                                               const std::vector<QPoint>& origins) {
        std::vector<xcb_get_window_attributes_cookie_t> attributes;
        std::vector<xcb_get_geometry_cookie_t> geometries;
        for (xcb_window_t w : ids) {
            attributes.push_back(xcb_get_window_attributes(c_, w));
            geometries.push_back(xcb_get_geometry(c_, w));
        }
        std::vector<std::optional<XWindow>> result(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            ReplyPtr<xcb_get_window_attributes_reply_t> a(
                xcb_get_window_attributes_reply(c_, attributes[i], nullptr));
            ReplyPtr<xcb_get_geometry_reply_t> g(
                xcb_get_geometry_reply(c_, geometries[i], nullptr));
            if (!a || !g || a->map_state != XCB_MAP_STATE_VIEWABLE ||
                a->_class != XCB_WINDOW_CLASS_INPUT_OUTPUT)
                continue;
            // A child's place is that of its border's corner inside its parent's area.
            const int b = g->border_width;
            result[i] =
                XWindow{ids[i],
                        QRect(origins[i] + QPoint(g->x + b, g->y + b), QSize(g->width, g->height)),
                        b,
                        {}};
        }
        return result;
    }

    // Which of the windows carry WM_STATE.
    std::vector<bool> marked(const std::vector<xcb_window_t>& ids) {
        std::vector<xcb_get_property_cookie_t> cookies;
        for (xcb_window_t w : ids)
            cookies.push_back(
                xcb_get_property(c_, 0, w, wmState_, XCB_GET_PROPERTY_TYPE_ANY, 0, 0));
        std::vector<bool> result(ids.size());
        for (size_t i = 0; i < ids.size(); ++i) {
            ReplyPtr<xcb_get_property_reply_t> r(xcb_get_property_reply(c_, cookies[i], nullptr));
            result[i] = r && r->type != XCB_NONE;
        }
        return result;
    }

    std::vector<Top> rootChildren() {
        const std::vector<xcb_window_t> ids = childrenOf({x_.root()})[0];
        const auto windows = placed(ids, std::vector<QPoint>(ids.size()));
        const std::vector<bool> managed = marked(ids);
        std::vector<Top> tops;
        for (size_t i = 0; i < ids.size(); ++i) {
            if (!windows[i]) continue;
            tops.push_back({*windows[i], managed[i] ? ids[i] : xcb_window_t(XCB_NONE)});
        }
        return tops;
    }

    // The program's window inside each frame. An EWMH window manager lists them
    // (_NET_CLIENT_LIST), and each one's frame is the child of the root above it.
    // Returns false where there is no such list.
    bool clientsFromList(std::vector<Top>& tops) {
        ReplyPtr<xcb_get_property_reply_t> list(xcb_get_property_reply(
            c_, xcb_get_property(c_, 0, x_.root(), clientList_, XCB_ATOM_WINDOW, 0, 4096),
            nullptr));
        if (!list || list->format != 32 || list->type != XCB_ATOM_WINDOW) return false;
        const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
        std::vector<xcb_window_t> clients(ids, ids + xcb_get_property_value_length(list.get()) / 4);
        std::vector<xcb_window_t> above = clients;
        for (int depth = 0; depth < kFrameDepth && !clients.empty(); ++depth) {
            std::vector<xcb_query_tree_cookie_t> cookies;
            for (xcb_window_t w : above)
                cookies.push_back(xcb_query_tree(c_, w));
            std::vector<xcb_window_t> stillInside, stillAbove;
            for (size_t i = 0; i < clients.size(); ++i) {
                ReplyPtr<xcb_query_tree_reply_t> r(xcb_query_tree_reply(c_, cookies[i], nullptr));
                if (!r) continue;
                // A child of the root: the frame (or the window itself, unframed).
                const xcb_window_t top = r->parent == x_.root() ? above[i] : XCB_NONE;
                auto framed = std::find_if(tops.begin(), tops.end(),
                                           [top](const Top& t) { return t.window.id == top; });
                if (top != XCB_NONE && framed != tops.end()) {
                    framed->client = clients[i];
                } else if (top == XCB_NONE) {
                    stillInside.push_back(clients[i]);
                    stillAbove.push_back(r->parent);
                }
            }
            clients = std::move(stillInside);
            above = std::move(stillAbove);
        }
        return true;
    }

    // The program's window inside each frame: breadth first, the topmost window that
    // carries WM_STATE.
    void findClients(std::vector<Top>& tops) {
        if (clientsFromList(tops)) return;
        std::vector<std::vector<xcb_window_t>> frontier(tops.size());
        for (size_t i = 0; i < tops.size(); ++i)
            if (tops[i].client == XCB_NONE) frontier[i] = {tops[i].window.id};
        for (int depth = 0; depth < kFrameDepth; ++depth) {
            std::vector<xcb_window_t> asked;
            std::vector<size_t> owner;
            for (size_t i = 0; i < tops.size(); ++i)
                for (xcb_window_t w : frontier[i]) {
                    asked.push_back(w);
                    owner.push_back(i);
                }
            if (asked.empty()) return;
            const auto children = childrenOf(asked);
            for (auto& f : frontier)
                f.clear();
            for (size_t k = 0; k < asked.size(); ++k)
                frontier[owner[k]].insert(frontier[owner[k]].end(), children[k].begin(),
                                          children[k].end());
            std::vector<xcb_window_t> all;
            for (const auto& f : frontier)
                all.insert(all.end(), f.begin(), f.end());
            const std::vector<bool> managed = marked(all);
            size_t k = 0;
            for (size_t i = 0; i < tops.size(); ++i) {
                const size_t first = k;
                k += frontier[i].size();
                const auto found =
                    std::find(managed.begin() + long(first), managed.begin() + long(k), true);
                if (found == managed.begin() + long(k)) continue;
                tops[i].client = all[size_t(found - managed.begin())];
                frontier[i].clear();
            }
        }
    }

    // The framed programs' windows, where they are on the screen, and each frame as
    // "窗体截图" takes it. A window without a program's window in it is its own frame.
    std::vector<XWindow> readClients(const std::vector<Top>& tops);
    std::vector<XWindow*> readChildren(const std::vector<XWindow*>& parents);
    static WindowNode toNode(const XWindow& w) {
        WindowNode node{w.rect, {}};
        for (const XWindow& c : w.children)
            node.children.push_back(toNode(c));
        return node;
    }

    const X11Connection& x_;
    xcb_connection_t* c_;
    xcb_atom_t wmState_, extents_, clientList_;
    uint32_t ownBase_ = 0, ownMask_ = 0;
    size_t counted_ = 0;
    std::vector<QRect> frames_;
};

// The frame: the window manager's published frame widths where it gives them, else the
// window it reparented the program's window into.
QRect frameOf(const XWindow& top, const XWindow& client, xcb_get_property_reply_t* extents) {
    if (client.id != XCB_NONE && extents && extents->format == 32 &&
        xcb_get_property_value_length(extents) >= 16) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(extents));
        const int b = client.border;
        return client.rect.adjusted(-b - int(v[0]), -b - int(v[2]), b + int(v[1]), b + int(v[3]));
    }
    const int b = top.border;
    return top.rect.adjusted(-b, -b, b, b);
}

std::vector<XWindow> TreeReader::readClients(const std::vector<Top>& tops) {
    std::vector<xcb_translate_coordinates_cookie_t> origins;
    std::vector<xcb_get_property_cookie_t> extents;
    std::vector<xcb_window_t> ids;
    for (const Top& t : tops) {
        const xcb_window_t w = t.client != XCB_NONE ? t.client : t.window.id;
        ids.push_back(w);
        origins.push_back(xcb_translate_coordinates(c_, w, x_.root(), 0, 0));
        extents.push_back(xcb_get_property(c_, 0, w, extents_, XCB_ATOM_CARDINAL, 0, 4));
    }
    // Placed from the origin: translated below to the screen.
    const auto windows = placed(ids, std::vector<QPoint>(ids.size()));
    std::vector<XWindow> clients(tops.size());
    for (size_t i = 0; i < tops.size(); ++i) {
        ReplyPtr<xcb_translate_coordinates_reply_t> o(
            xcb_translate_coordinates_reply(c_, origins[i], nullptr));
        ReplyPtr<xcb_get_property_reply_t> e(xcb_get_property_reply(c_, extents[i], nullptr));
        if (tops[i].client != XCB_NONE && windows[i] && o) {
            clients[i] = *windows[i];
            clients[i].rect.moveTopLeft(QPoint(o->dst_x, o->dst_y));
        }
        frames_.push_back(frameOf(tops[i].window, clients[i], e.get()));
    }
    return clients;
}

// The child windows of every window of one level; returns the next level.
std::vector<XWindow*> TreeReader::readChildren(const std::vector<XWindow*>& parents) {
    std::vector<xcb_window_t> parentIds;
    for (const XWindow* p : parents)
        parentIds.push_back(p->id);
    const auto children = childrenOf(parentIds);
    std::vector<xcb_window_t> ids;
    std::vector<QPoint> origins;
    for (size_t i = 0; i < parents.size(); ++i)
        for (xcb_window_t w : children[i]) {
            ids.push_back(w);
            origins.push_back(parents[i]->rect.topLeft());
        }
    const auto windows = placed(ids, origins);
    size_t k = 0;
    for (size_t i = 0; i < parents.size(); ++i)
        for (size_t n = 0; n < children[i].size(); ++n, ++k)
            if (windows[k]) parents[i]->children.push_back(*windows[k]);
    std::vector<XWindow*> next;
    for (XWindow* p : parents)
        for (XWindow& c : p->children)
            next.push_back(&c);
    return next;
}

} // namespace

WindowTree readX11WindowTree(const X11Connection& x, const QRect& desktop,
                             const X11WindowAtoms& atoms) {
    TreeReader reader(x, atoms);
    return WindowTree(reader.read(), desktop);
}

} // namespace kv
