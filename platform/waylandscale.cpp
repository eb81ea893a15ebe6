#include "platform/waylandscale.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {

namespace {

struct Outputs {
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
    if (std::strcmp(interface, wl_output_interface.name) != 0 || version < 2) return;
    auto* o = static_cast<Outputs*>(data);
    auto* output =
        static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 2));
    wl_output_add_listener(output, &outputListener, o);
    o->outputs.push_back(output);
}
void onGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

} // namespace

int waylandOutputScale() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return 1;
    Outputs o;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &o);
    wl_display_roundtrip(display); // the outputs
    wl_display_roundtrip(display); // what they say of themselves
    for (wl_output* output : o.outputs)
        wl_output_destroy(output);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return std::clamp(o.scale, 1, 8);
}

} // namespace kv
