#pragma once
// The font configuration (every configuration file and font cache of the
// system) is read on a worker thread from the start of the program, while the
// display connection and the toolkit start; the first frame's text then finds
// it ready instead of reading it on the user-interface thread.
#include <thread>

namespace kv {

class FontWarmUp {
public:
    FontWarmUp();
    ~FontWarmUp(); // waits for the worker, so nothing runs on at exit

    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

private:
    std::thread worker_;
};

} // namespace kv
