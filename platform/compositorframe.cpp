#include "platform/compositorframe.h"

#include "platform/runtimelibrary.h"

#include <QElapsedTimer>
#include <wayland-client.h>

#include <cstring>
#include <poll.h>

namespace kv {

namespace {

// The Wayland client library, opened at run time (see platform/runtimelibrary.h);
// the protocol's inline helpers spelled out over the proxy calls.
struct FrameClient {
    decltype(&::wl_display_connect) connect = nullptr;
    decltype(&::wl_display_roundtrip) roundtrip = nullptr;
    decltype(&::wl_display_disconnect) disconnect = nullptr;
    decltype(&::wl_display_get_fd) fd = nullptr;
    decltype(&::wl_display_flush) flush = nullptr;
    decltype(&::wl_display_prepare_read) prepareRead = nullptr;
    decltype(&::wl_display_read_events) readEvents = nullptr;
    decltype(&::wl_display_cancel_read) cancelRead = nullptr;
    decltype(&::wl_display_dispatch_pending) dispatchPending = nullptr;
    decltype(&::wl_proxy_marshal_flags) marshal = nullptr;
    decltype(&::wl_proxy_add_listener) addListener = nullptr;
    decltype(&::wl_proxy_get_version) version = nullptr;
    decltype(&::wl_proxy_destroy) destroy = nullptr;
    const wl_interface* registryInterface = nullptr;
    const wl_interface* compositorInterface = nullptr;
    const wl_interface* surfaceInterface = nullptr;
    const wl_interface* callbackInterface = nullptr;

    wl_proxy* send(void* object, uint32_t opcode, const wl_interface* made,
                   uint32_t flags = 0) const {
        auto* proxy = static_cast<wl_proxy*>(object);
        return marshal(proxy, opcode, made, version(proxy), flags, nullptr);
    }
};

const FrameClient* openFrameClient() {
    return OpenRuntimeLibrary<FrameClient>(
        "libwayland-client.so.0", [](RuntimeLibrary& so, FrameClient& wl) {
            so.find(wl.connect, "wl_display_connect");
            so.find(wl.roundtrip, "wl_display_roundtrip");
            so.find(wl.disconnect, "wl_display_disconnect");
            so.find(wl.fd, "wl_display_get_fd");
            so.find(wl.flush, "wl_display_flush");
            so.find(wl.prepareRead, "wl_display_prepare_read");
            so.find(wl.readEvents, "wl_display_read_events");
            so.find(wl.cancelRead, "wl_display_cancel_read");
            so.find(wl.dispatchPending, "wl_display_dispatch_pending");
            so.find(wl.marshal, "wl_proxy_marshal_flags");
            so.find(wl.addListener, "wl_proxy_add_listener");
            so.find(wl.version, "wl_proxy_get_version");
            so.find(wl.destroy, "wl_proxy_destroy");
            so.find(wl.registryInterface, "wl_registry_interface");
            so.find(wl.compositorInterface, "wl_compositor_interface");
            so.find(wl.surfaceInterface, "wl_surface_interface");
            so.find(wl.callbackInterface, "wl_callback_interface");
        });
}

struct State {
    const FrameClient* wl = nullptr;
    wl_proxy* compositor = nullptr;
    bool framed = false;
};

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* s = static_cast<State*>(data);
    const wl_interface* want = s->wl->compositorInterface;
    if (s->compositor || std::strcmp(interface, want->name) != 0) return;
    auto* proxy = reinterpret_cast<wl_proxy*>(registry);
    s->compositor =
        s->wl->marshal(proxy, WL_REGISTRY_BIND, want, 1, 0, name, want->name, 1u, nullptr);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

void onDone(void* data, wl_callback*, uint32_t) {
    static_cast<State*>(data)->framed = true;
}
const wl_callback_listener callbackListener = {onDone};

// Reads and handles events until the frame came or the time is up.
void awaitFrame(const FrameClient& wl, wl_display* display, State& s, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!s.framed && clock.elapsed() < timeoutMs) {
        while (wl.prepareRead(display) != 0)
            wl.dispatchPending(display);
        wl.flush(display);
        pollfd p{wl.fd(display), POLLIN, 0};
        if (poll(&p, 1, int(timeoutMs - clock.elapsed())) > 0)
            wl.readEvents(display);
        else
            wl.cancelRead(display);
        wl.dispatchPending(display);
    }
}

} // namespace

bool waitForCompositorFrame(int timeoutMs) {
    CompositorLink link;
    return link.waitForFrame(timeoutMs);
}

struct CompositorLink::Connection {
    const FrameClient* wl = nullptr;
    wl_display* display = nullptr;
    wl_proxy* registry = nullptr;
    State state;
};

CompositorLink::CompositorLink() = default;

CompositorLink::~CompositorLink() {
    if (!c_ || !c_->display) return;
    const FrameClient& wl = *c_->wl;
    if (c_->state.compositor) wl.destroy(c_->state.compositor);
    wl.destroy(c_->registry);
    wl.disconnect(c_->display);
}

void CompositorLink::open() {
    if (c_) return;
    c_ = std::make_unique<Connection>();
    c_->wl = openFrameClient();
    if (!c_->wl) return;
    const FrameClient& wl = *c_->wl;
    c_->display = wl.connect(nullptr);
    if (!c_->display) return;
    c_->state.wl = c_->wl;
    c_->registry = wl.send(c_->display, WL_DISPLAY_GET_REGISTRY, wl.registryInterface);
    wl.addListener(
        c_->registry,
        reinterpret_cast<void (**)(void)>(const_cast<wl_registry_listener*>(&registryListener)),
        &c_->state);
    wl.flush(c_->display);
}

bool CompositorLink::waitForFrame(int timeoutMs) {
    open();
    if (!c_->display) return false;
    const FrameClient& wl = *c_->wl;
    State& s = c_->state;
    s.framed = false;
    // The compositor read our requests after every request sent before them on
    // other connections: what the hidden window asked is done once this returns.
    wl.roundtrip(c_->display);
    if (!s.compositor || timeoutMs <= 0) return false;
    wl_proxy* surface = wl.send(s.compositor, WL_COMPOSITOR_CREATE_SURFACE, wl.surfaceInterface);
    wl_proxy* callback = wl.send(surface, WL_SURFACE_FRAME, wl.callbackInterface);
    wl.addListener(
        callback,
        reinterpret_cast<void (**)(void)>(const_cast<wl_callback_listener*>(&callbackListener)),
        &s);
    wl.send(surface, WL_SURFACE_COMMIT, nullptr);
    awaitFrame(wl, c_->display, s, timeoutMs);
    wl.destroy(callback);
    wl.send(surface, WL_SURFACE_DESTROY, nullptr, WL_MARSHAL_FLAG_DESTROY);
    return s.framed;
}

} // namespace kv
