// The X side of the desktop scale: Xft.dpi from the resources and the primary
// monitor, read before Qt connects (Qt takes its font resolution from the
// environment we set from them).
#include "platform/desktopscale.h"
#include "platform/x11connection.h"

#include <xcb/randr.h>

#include <cstdlib>
#include <memory>

namespace kv {
namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

QByteArray rootResources(const X11Connection& x, xcb_get_property_cookie_t cookie) {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(x.get(), cookie, nullptr),
                                          &std::free);
    if (!reply || reply->format != 8) return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

QString atomName(const X11Connection& x, xcb_atom_t atom) {
    Reply<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(x.get(), xcb_get_atom_name(x.get(), atom), nullptr), &std::free);
    if (!reply) return {};
    return QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                               xcb_get_atom_name_name_length(reply.get()));
}

// The requests go out together, so that start-up waits for one answer, not
// one after another.
struct Asked {
    xcb_get_property_cookie_t resources;
    xcb_randr_query_version_cookie_t version;
    xcb_randr_get_monitors_cookie_t monitors;
};

// The primary monitor (else the first one) as RandR reports it; false when the
// server has no RandR monitors.
bool readPrimaryMonitor(const X11Connection& x, const Asked& asked, DesktopScaleInputs& in) {
    Reply<xcb_randr_query_version_reply_t> version(
        xcb_randr_query_version_reply(x.get(), asked.version, nullptr), &std::free);
    Reply<xcb_randr_get_monitors_reply_t> monitors(
        xcb_randr_get_monitors_reply(x.get(), asked.monitors, nullptr), &std::free);
    if (!version || version->major_version < 1 ||
        (version->major_version == 1 && version->minor_version < 5))
        return false;
    if (!monitors) return false;
    const xcb_randr_monitor_info_t* chosen = nullptr;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem;
         xcb_randr_monitor_info_next(&it)) {
        if (!chosen || (it.data->primary && !chosen->primary)) chosen = it.data;
    }
    if (!chosen) return false;
    // The name costs one more round trip, and only a list of named factors asks for it.
    if (in.screenScaleFactors.contains(QLatin1Char('='))) in.screenName = atomName(x, chosen->name);
    in.screenSize = QSize(chosen->width, chosen->height);
    return true;
}

} // namespace

void ReadX11ScaleInputs(DesktopScaleInputs& in) {
    const std::shared_ptr<X11Connection> x = X11Connection::open();
    if (!x) return;
    const Asked asked{xcb_get_property(x->get(), 0, x->root(), XCB_ATOM_RESOURCE_MANAGER,
                                       XCB_ATOM_STRING, 0, 1 << 20),
                      xcb_randr_query_version(x->get(), 1, 5),
                      xcb_randr_get_monitors(x->get(), x->root(), 1)};
    in.xftDpi = XftDpiFromResources(rootResources(*x, asked.resources));
    if (!readPrimaryMonitor(*x, asked, in))
        in.screenSize = QSize(x->screen()->width_in_pixels, x->screen()->height_in_pixels);
}

} // namespace kv
