#include "platform/waylandscale.h"

#include "platform/runtimelibrary.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {

namespace {

// The Wayland client library, opened only in a Wayland session (see
// platform/runtimelibrary.h). Its protocol helpers are inline functions over
// the proxy calls below; those used here are spelled out in terms of them.
struct WaylandClient {
    decltype(&::wl_display_connect) displayConnect = nullptr;
    decltype(&::wl_display_roundtrip) displayRoundtrip = nullptr;
    decltype(&::wl_display_disconnect) displayDisconnect = nullptr;
    decltype(&::wl_proxy_marshal_flags) proxyMarshalFlags = nullptr;
    decltype(&::wl_proxy_add_listener) proxyAddListener = nullptr;
    decltype(&::wl_proxy_get_version) proxyGetVersion = nullptr;
    decltype(&::wl_proxy_destroy) proxyDestroy = nullptr;
    const wl_interface* registryInterface = nullptr;
    const wl_interface* outputInterface = nullptr;

    wl_registry* getRegistry(wl_display* display) const {
        auto* proxy = reinterpret_cast<wl_proxy*>(display);
        return reinterpret_cast<wl_registry*>(proxyMarshalFlags(
            proxy, WL_DISPLAY_GET_REGISTRY, registryInterface, proxyGetVersion(proxy), 0, nullptr));
    }
    wl_output* bindOutput(wl_registry* registry, uint32_t name, uint32_t version) const {
        return reinterpret_cast<wl_output*>(proxyMarshalFlags(
            reinterpret_cast<wl_proxy*>(registry), WL_REGISTRY_BIND, outputInterface, version, 0,
            name, outputInterface->name, version, nullptr));
    }
    template <typename Object, typename Listener>
    void addListener(Object* object, const Listener* listener, void* data) const {
        proxyAddListener(reinterpret_cast<wl_proxy*>(object),
                         reinterpret_cast<void (**)(void)>(const_cast<Listener*>(listener)), data);
    }
    template <typename Object> void destroy(Object* object) const {
        proxyDestroy(reinterpret_cast<wl_proxy*>(object));
    }
};

const WaylandClient* openWaylandClient() {
    return OpenRuntimeLibrary<WaylandClient>(
        "libwayland-client.so.0", [](RuntimeLibrary& so, WaylandClient& wl) {
            so.find(wl.displayConnect, "wl_display_connect");
            so.find(wl.displayRoundtrip, "wl_display_roundtrip");
            so.find(wl.displayDisconnect, "wl_display_disconnect");
            so.find(wl.proxyMarshalFlags, "wl_proxy_marshal_flags");
            so.find(wl.proxyAddListener, "wl_proxy_add_listener");
            so.find(wl.proxyGetVersion, "wl_proxy_get_version");
            so.find(wl.proxyDestroy, "wl_proxy_destroy");
            so.find(wl.registryInterface, "wl_registry_interface");
            so.find(wl.outputInterface, "wl_output_interface");
        });
}

struct Outputs {
    const WaylandClient* wl = nullptr;
    std::vector<wl_output*> outputs;
    int scale = 1;
};

void onGeometry(void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*,
                const char*, int32_t) {}
void onMode(void*, wl_output*, uint32_t, int32_t, int32_t, int32_t) {}
void onDone(void*, wl_output*) {}
void onScale(void* data, wl_output*, int32_t factor) {
    auto* o = static_cast<Outputs*>(data);
    o->scale = std::max(o->scale, int(factor));
}
const wl_output_listener outputListener = {onGeometry, onMode, onDone, onScale, nullptr, nullptr};

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* o = static_cast<Outputs*>(data);
    if (std::strcmp(interface, o->wl->outputInterface->name) != 0 || version < 2) return;
    wl_output* output = o->wl->bindOutput(registry, name, 2);
    o->wl->addListener(output, &outputListener, o);
    o->outputs.push_back(output);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

} // namespace

int waylandOutputScale() {
    const WaylandClient* wl = openWaylandClient();
    if (!wl) return 1;
    wl_display* display = wl->displayConnect(nullptr);
    if (!display) return 1;
    Outputs o;
    o.wl = wl;
    wl_registry* registry = wl->getRegistry(display);
    wl->addListener(registry, &registryListener, &o);
    wl->displayRoundtrip(display); // the outputs
    wl->displayRoundtrip(display); // what they say of themselves
    for (wl_output* output : o.outputs)
        wl->destroy(output);
    wl->destroy(registry);
    wl->displayDisconnect(display);
    return std::clamp(o.scale, 1, 8);
}

} // namespace kv
