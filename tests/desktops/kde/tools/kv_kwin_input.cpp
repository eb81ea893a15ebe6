// Input for the headless KWin desktop, which has no input devices: KWin's fake
// input protocol (org_kde_kwin_fake_input), offered to this client because KWin
// runs with its permission checks off (KWIN_WAYLAND_NO_PERMISSION_CHECKS=1; a
// real session offers it only to programs whose desktop entry asks for it),
// driven by the words of support/pointersteps.h.
//
//   kv_kwin_input [--extent WxH] STEPS...
//
// Positions are absolute, in the compositor's layout pixels.
#include "fake-input-client-protocol.h"
#include "support/pointersteps.h"

#include <wayland-client.h>

namespace {

org_kde_kwin_fake_input* fakeInput = nullptr;

void onGlobal(void*, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    // Absolute motion came with version 3.
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 3)
        fakeInput = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 3));
}

void onGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {onGlobal, onGlobalRemove};

class KWinInput final : public kvtest::FakeInput {
public:
    explicit KWinInput(wl_display* display) : display_(display) {}
    void move(long x, long y) override {
        org_kde_kwin_fake_input_pointer_motion_absolute(fakeInput, wl_fixed_from_int(int(x)),
                                                        wl_fixed_from_int(int(y)));
        wl_display_roundtrip(display_);
    }
    void button(uint32_t code, bool down) override {
        org_kde_kwin_fake_input_button(fakeInput, code, down ? 1 : 0);
        wl_display_roundtrip(display_);
    }

private:
    wl_display* display_;
};

} // namespace

int main(int argc, char** argv) {
    uint32_t w = 0, h = 0; // positions are absolute: the size is not needed
    int i = 1;
    if (!kvtest::extentOption(argc, argv, i, w, h)) return 2;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "kv_kwin_input: no Wayland display\n");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!fakeInput) {
        std::fprintf(stderr, "kv_kwin_input: the compositor offers no fake input\n");
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(fakeInput, "kv_kwin_input", "test input");
    wl_display_roundtrip(display);
    KWinInput input(display);
    const int status = kvtest::runDriver(input, argc, argv, i);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
