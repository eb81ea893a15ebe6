// A pointer for a compositor without input devices: moves, presses and releases
// through the wlroots virtual-pointer protocol, as a script of words on the command
// line, so tests can drive any window (ours, the portal's colour picker, ...).
//
//   kv_wl_pointer [--extent WxH] STEPS...   (the words of support/pointersteps.h)
//
// WxH is the compositor's layout size (1920x1080 when not given). Every step is sent as one pointer
// frame and waited for by a round trip, so the compositor has handled it before the next one.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include "support/pointersteps.h"

#include <wayland-client.h>

namespace {

struct Globals {
    wl_seat* seat = nullptr;
    zwlr_virtual_pointer_manager_v1* manager = nullptr;
};

void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* g = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !g->seat)
        g->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        g->manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

uint32_t now() {
    using namespace std::chrono;
    return uint32_t(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

class Pointer final : public kvtest::FakeInput {
public:
    Pointer(wl_display* display, zwlr_virtual_pointer_v1* p, uint32_t w, uint32_t h)
        : display_(display), p_(p), w_(w), h_(h) {}
    void move(long x, long y) override {
        x = std::clamp<long>(x, 0, long(w_) - 1);
        y = std::clamp<long>(y, 0, long(h_) - 1);
        zwlr_virtual_pointer_v1_motion_absolute(p_, now(), uint32_t(x), uint32_t(y), w_, h_);
        frame();
    }
    void button(uint32_t code, bool down) override {
        zwlr_virtual_pointer_v1_button(p_, now(), code, down ? 1 : 0);
        frame();
    }

private:
    void frame() {
        zwlr_virtual_pointer_v1_frame(p_);
        wl_display_roundtrip(display_);
    }
    wl_display* display_;
    zwlr_virtual_pointer_v1* p_;
    uint32_t w_, h_;
};

} // namespace

int main(int argc, char** argv) {
    uint32_t w = 1920, h = 1080;
    int i = 1;
    if (!kvtest::extentOption(argc, argv, i, w, h)) return 2;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kv_wl_pointer: no Wayland display\n");
        return 1;
    }
    Globals g;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &g);
    wl_display_roundtrip(display);
    if (!g.manager) {
        std::fprintf(stderr, "kv_wl_pointer: the compositor offers no virtual pointer\n");
        return 1;
    }
    auto* vp = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(g.manager, g.seat);
    Pointer pointer(display, vp, w, h);
    // Clients bind their pointer when the seat announces it; give them that moment.
    wl_display_roundtrip(display);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const int status = kvtest::runDriver(pointer, argc, argv, i);
    zwlr_virtual_pointer_v1_destroy(vp);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
