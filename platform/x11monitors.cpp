#include "platform/x11monitors.h"

#include <xcb/randr.h>
#include <xcb/xinerama.h>

#include <cstdlib>
#include <memory>

namespace kv {
namespace {

struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

bool hasExtension(xcb_connection_t* c, xcb_extension_t* ext) {
    const xcb_query_extension_reply_t* data = xcb_get_extension_data(c, ext);
    return data && data->present;
}

bool randrMonitors(xcb_connection_t* c, xcb_window_t root, Monitors& out) {
    if (!hasExtension(c, &xcb_randr_id)) return false;
    Reply<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    if (!version || version->major_version < 1 ||
        (version->major_version == 1 && version->minor_version < 5))
        return false;
    Reply<xcb_randr_get_monitors_reply_t> reply(
        xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, root, 1), nullptr));
    if (!reply) return false;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
        const xcb_randr_monitor_info_t* m = it.data;
        if (m->width == 0 || m->height == 0) continue;
        if (m->primary) out.primary = int(out.list.size());
        out.list.push_back({QRect(m->x, m->y, m->width, m->height), 1.0});
    }
    return !out.list.empty();
}

bool xineramaHeads(xcb_connection_t* c, Monitors& out) {
    if (!xineramaActive(c)) return false;
    Reply<xcb_xinerama_query_screens_reply_t> reply(
        xcb_xinerama_query_screens_reply(c, xcb_xinerama_query_screens(c), nullptr));
    if (!reply) return false;
    for (auto it = xcb_xinerama_query_screens_screen_info_iterator(reply.get()); it.rem;
         xcb_xinerama_screen_info_next(&it)) {
        const xcb_xinerama_screen_info_t* s = it.data;
        if (s->width == 0 || s->height == 0) continue;
        out.list.push_back({QRect(s->x_org, s->y_org, s->width, s->height), 1.0});
    }
    out.primary = 0;
    return !out.list.empty();
}

} // namespace

bool xineramaActive(xcb_connection_t* c) {
    if (!hasExtension(c, &xcb_xinerama_id)) return false;
    Reply<xcb_xinerama_is_active_reply_t> active(
        xcb_xinerama_is_active_reply(c, xcb_xinerama_is_active(c), nullptr));
    return active && active->state;
}

Monitors queryX11Monitors(xcb_connection_t* c, xcb_window_t root) {
    Monitors out;
    Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr));
    if (!geometry) return out;
    out.root = QRect(0, 0, geometry->width, geometry->height);
    if (randrMonitors(c, root, out) || xineramaHeads(c, out)) {
        // What a monitor shows beyond the root does not exist.
        for (Monitor& m : out.list)
            m.rect &= out.root;
        return out;
    }
    return Monitors::single(out.root);
}

} // namespace kv
