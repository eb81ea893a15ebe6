#pragma once

// The words every test desktop's input driver takes, whatever the compositor's way
// of faking input (wlroots' virtual pointer, Mutter's remote desktop, KWin's fake
// input):
//
//   move X Y | down [left|right|middle] | up [...] | click [...] |
//   drag X1 Y1 X2 Y2 [STEPS] | sleep MS | key KEYSYM | paste MIME FILE
//
// given on the command line, or line by line on standard input (each line answered
// with "ok" or "error"). Positions are in the compositor's layout pixels.
#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <csignal>
#include <sys/prctl.h>

namespace kvtest {

// Linux input button codes.
constexpr uint32_t kButtonLeft = 0x110;

class FakeInput {
public:
    virtual ~FakeInput() = default;
    // Each returns once the compositor has taken the event.
    virtual void move(long x, long y) = 0;
    virtual void button(uint32_t code, bool down) = 0;
    // An X keysym (0xff1b Escape, 0xff09 Tab, 0xff0d Return); false where the
    // driver has no keyboard.
    virtual bool key(uint32_t, bool) { return false; }
    // Writes the clipboard's content of type `mime` to `file`; false where the
    // driver cannot read the clipboard, or it holds no such type.
    virtual bool paste(const std::string&, const std::string&) { return false; }
};

inline uint32_t buttonCode(const std::string& name) {
    if (name == "right") return 0x111; // BTN_RIGHT
    if (name == "middle") return 0x112;
    return kButtonLeft;
}

// The next word as a number (decimal, or hexadecimal with 0x); false when it is
// missing or not a number.
inline bool numberAt(char** argv, int& i, int argc, long& out) {
    if (i >= argc) return false;
    char* end = nullptr;
    out = std::strtol(argv[i++], &end, 0);
    return end && *end == 0;
}

inline void drag(FakeInput& input, long x1, long y1, long x2, long y2, int steps) {
    input.move(x1, y1);
    input.button(kButtonLeft, true);
    for (int i = 1; i <= steps; ++i) {
        input.move(x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    input.button(kButtonLeft, false);
}

// Runs the steps in argv[i..argc); 0 when all were understood and done.
inline int runSteps(FakeInput& input, int argc, char** argv, int i) {
    while (i < argc) {
        const std::string word = argv[i++];
        const bool named =
            i < argc && (std::strcmp(argv[i], "left") == 0 || std::strcmp(argv[i], "right") == 0 ||
                         std::strcmp(argv[i], "middle") == 0);
        if (word == "move") {
            long x = 0, y = 0;
            if (!numberAt(argv, i, argc, x) || !numberAt(argv, i, argc, y)) return 2;
            input.move(x, y);
        } else if (word == "down" || word == "up" || word == "click") {
            const uint32_t code = buttonCode(named ? argv[i++] : "left");
            if (word != "up") input.button(code, true);
            if (word != "down") input.button(code, false);
        } else if (word == "drag") {
            long x1 = 0, y1 = 0, x2 = 0, y2 = 0, steps = 8;
            if (!numberAt(argv, i, argc, x1) || !numberAt(argv, i, argc, y1) ||
                !numberAt(argv, i, argc, x2) || !numberAt(argv, i, argc, y2))
                return 2;
            if (i < argc && std::isdigit(argv[i][0]) && !numberAt(argv, i, argc, steps)) return 2;
            drag(input, x1, y1, x2, y2, int(std::max(1L, steps)));
        } else if (word == "sleep") {
            long ms = 0;
            if (!numberAt(argv, i, argc, ms)) return 2;
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        } else if (word == "key") {
            long sym = 0;
            if (!numberAt(argv, i, argc, sym)) return 2;
            if (!input.key(uint32_t(sym), true) || !input.key(uint32_t(sym), false)) return 2;
        } else if (word == "paste") {
            if (i + 1 >= argc || !input.paste(argv[i], argv[i + 1])) return 2;
            i += 2;
        } else {
            std::fprintf(stderr, "input driver: unknown step '%s'\n", word.c_str());
            return 2;
        }
    }
    return 0;
}

// The steps of the command line from argv[i] on, else those of each line of
// standard input; the process's exit status.
inline int runDriver(FakeInput& input, int argc, char** argv, int i) {
    // A test that ends without closing our input does not leave us behind.
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (i < argc) {
        const int status = runSteps(input, argc, argv, i);
        if (status == 2) std::fprintf(stderr, "input driver: steps not understood\n");
        return status;
    }
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        std::vector<char*> args;
        for (std::string& word : words)
            args.push_back(word.data());
        const bool ok = runSteps(input, int(args.size()), args.data(), 0) == 0;
        std::cout << (ok ? "ok" : "error") << std::endl;
    }
    return 0;
}

// "--extent WxH" at argv[i]: the layout's size; i moves past it.
inline bool extentOption(int argc, char** argv, int& i, uint32_t& w, uint32_t& h) {
    if (i + 1 < argc && std::strcmp(argv[i], "--extent") == 0) {
        if (std::sscanf(argv[i + 1], "%ux%u", &w, &h) != 2 || !w || !h) return false;
        i += 2;
    }
    return true;
}

} // namespace kvtest
