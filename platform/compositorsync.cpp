#include "platform/compositorsync.h"

#include "platform/runtimelibrary.h"

#include <wayland-client.h>

#include <cstring>

namespace kv {

namespace {

// The Wayland client library, opened at run time (see platform/runtimelibrary.h);
// the protocol's inline helpers spelled out over the proxy calls.
struct SyncClient {
    decltype(&::wl_display_connect) connect = nullptr;
    decltype(&::wl_display_roundtrip) roundtrip = nullptr;
    decltype(&::wl_display_disconnect) disconnect = nullptr;
    decltype(&::wl_display_flush) flush = nullptr;
    decltype(&::wl_proxy_marshal_flags) marshal = nullptr;
    decltype(&::wl_proxy_add_listener) addListener = nullptr;
    decltype(&::wl_proxy_get_version) version = nullptr;
    decltype(&::wl_proxy_destroy) destroy = nullptr;
    const wl_interface* registryInterface = nullptr;
    const wl_interface* compositorInterface = nullptr;
};

const SyncClient* openSyncClient() {
    return OpenRuntimeLibrary<SyncClient>(
        "libwayland-client.so.0", [](RuntimeLibrary& so, SyncClient& wl) {
            so.find(wl.connect, "wl_display_connect");
            so.find(wl.roundtrip, "wl_display_roundtrip");
            so.find(wl.disconnect, "wl_display_disconnect");
            so.find(wl.flush, "wl_display_flush");
            so.find(wl.marshal, "wl_proxy_marshal_flags");
            so.find(wl.addListener, "wl_proxy_add_listener");
            so.find(wl.version, "wl_proxy_get_version");
            so.find(wl.destroy, "wl_proxy_destroy");
            so.find(wl.registryInterface, "wl_registry_interface");
            so.find(wl.compositorInterface, "wl_compositor_interface");
        });
}

// Whether the connection reaches a compositor: it offers wl_compositor.
struct State {
    const SyncClient* wl = nullptr;
    bool compositor = false;
};

void onGlobal(void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
    auto* s = static_cast<State*>(data);
    if (std::strcmp(interface, s->wl->compositorInterface->name) == 0) s->compositor = true;
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

} // namespace

bool syncWithCompositor() {
    CompositorLink link;
    return link.roundTrip();
}

struct CompositorLink::Connection {
    const SyncClient* wl = nullptr;
    wl_display* display = nullptr;
    wl_proxy* registry = nullptr;
    State state;
};

CompositorLink::CompositorLink() = default;

CompositorLink::~CompositorLink() {
    if (!c_ || !c_->display) return;
    const SyncClient& wl = *c_->wl;
    wl.destroy(c_->registry);
    wl.disconnect(c_->display);
}

void CompositorLink::open() {
    if (c_) return;
    c_ = std::make_unique<Connection>();
    c_->wl = openSyncClient();
    if (!c_->wl) return;
    const SyncClient& wl = *c_->wl;
    c_->display = wl.connect(nullptr);
    if (!c_->display) return;
    c_->state.wl = c_->wl;
    auto* display = reinterpret_cast<wl_proxy*>(c_->display);
    c_->registry = wl.marshal(display, WL_DISPLAY_GET_REGISTRY, wl.registryInterface,
                              wl.version(display), 0, nullptr);
    wl.addListener(
        c_->registry,
        reinterpret_cast<void (**)(void)>(const_cast<wl_registry_listener*>(&registryListener)),
        &c_->state);
    wl.flush(c_->display);
}

bool CompositorLink::roundTrip() {
    open();
    if (!c_->display) return false;
    // The compositor read our requests after every request sent before them on
    // other connections: what the hidden window asked is done once this returns.
    if (c_->wl->roundtrip(c_->display) < 0) return false;
    return c_->state.compositor;
}

} // namespace kv
