// A pointer for a compositor without input devices: moves, presses and releases
// through the wlroots virtual-pointer protocol, as a script of words on the command
// line, so tests can drive any window (ours, the portal's colour picker, ...).
//
//   kv_wl_pointer [--extent WxH] move X Y | down [left|right|middle] | up [...] |
//                 click [...] | drag X1 Y1 X2 Y2 [STEPS] | sleep MS  ...
//
// Positions are in the compositor's layout pixels, WxH its size (1920x1080 when
// not given). Every step is sent as one pointer frame and waited for by a round
// trip, so the compositor has handled it before the next one.
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

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

uint32_t buttonCode(const std::string& name) {
    if (name == "right") return 0x111; // BTN_RIGHT
    if (name == "middle") return 0x112;
    return 0x110; // BTN_LEFT
}

class Pointer {
public:
    Pointer(wl_display* display, zwlr_virtual_pointer_v1* p, uint32_t w, uint32_t h)
        : display_(display), p_(p), w_(w), h_(h) {}
    void move(long x, long y) {
        x = std::clamp<long>(x, 0, long(w_) - 1);
        y = std::clamp<long>(y, 0, long(h_) - 1);
        zwlr_virtual_pointer_v1_motion_absolute(p_, now(), uint32_t(x), uint32_t(y), w_, h_);
        frame();
        x_ = x;
        y_ = y;
    }
    void button(uint32_t code, bool down) {
        zwlr_virtual_pointer_v1_button(p_, now(), code, down ? 1 : 0);
        frame();
    }
    void drag(long x1, long y1, long x2, long y2, int steps) {
        move(x1, y1);
        button(0x110, true);
        for (int i = 1; i <= steps; ++i) {
            move(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        button(0x110, false);
    }

private:
    void frame() {
        zwlr_virtual_pointer_v1_frame(p_);
        wl_display_roundtrip(display_);
    }
    wl_display* display_;
    zwlr_virtual_pointer_v1* p_;
    uint32_t w_, h_;
    long x_ = 0, y_ = 0;
};

// The next word as a number; nothing when it is missing or not a number.
bool number(char** argv, int& i, int argc, long& out) {
    if (i >= argc) return false;
    char* end = nullptr;
    out = std::strtol(argv[i++], &end, 10);
    return end && *end == 0;
}

// Runs the steps in argv[i..argc); 0 when all were understood.
int runSteps(Pointer& pointer, int argc, char** argv, int i) {
    while (i < argc) {
        const std::string word = argv[i++];
        const bool named =
            i < argc && (std::strcmp(argv[i], "left") == 0 || std::strcmp(argv[i], "right") == 0 ||
                         std::strcmp(argv[i], "middle") == 0);
        if (word == "move") {
            long x = 0, y = 0;
            if (!number(argv, i, argc, x) || !number(argv, i, argc, y)) return 2;
            pointer.move(x, y);
        } else if (word == "down" || word == "up" || word == "click") {
            const uint32_t code = buttonCode(named ? argv[i++] : "left");
            if (word != "up") pointer.button(code, true);
            if (word != "down") pointer.button(code, false);
        } else if (word == "drag") {
            long x1 = 0, y1 = 0, x2 = 0, y2 = 0, steps = 8;
            if (!number(argv, i, argc, x1) || !number(argv, i, argc, y1) ||
                !number(argv, i, argc, x2) || !number(argv, i, argc, y2))
                return 2;
            if (i < argc && std::isdigit(argv[i][0]) && !number(argv, i, argc, steps)) return 2;
            pointer.drag(x1, y1, x2, y2, int(std::max(1L, steps)));
        } else if (word == "sleep") {
            long ms = 0;
            if (!number(argv, i, argc, ms)) return 2;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        } else {
            std::fprintf(stderr, "kv_wl_pointer: unknown step '%s'\n", word.c_str());
            return 2;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    uint32_t w = 1920, h = 1080;
    int i = 1;
    if (i + 1 < argc && std::strcmp(argv[i], "--extent") == 0) {
        if (std::sscanf(argv[i + 1], "%ux%u", &w, &h) != 2 || !w || !h) return 2;
        i += 2;
    }
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
    int status = 0;
    if (i < argc) {
        status = runSteps(pointer, argc, argv, i);
        if (status == 2) std::fprintf(stderr, "kv_wl_pointer: steps not understood\n");
    } else {
        for (std::string line; std::getline(std::cin, line);) {
            std::istringstream in(line);
            std::vector<std::string> words;
            for (std::string word; in >> word;)
                words.push_back(word);
            std::vector<char*> args;
            for (std::string& word : words)
                args.push_back(word.data());
            const bool ok = runSteps(pointer, int(args.size()), args.data(), 0) == 0;
            std::cout << (ok ? "ok" : "error") << std::endl;
        }
    }
    zwlr_virtual_pointer_v1_destroy(vp);
    wl_display_roundtrip(display);
    wl_display_disconnect(display);
    return status;
}
