#include "platform/pulselibrary.h"

#include <dlfcn.h>

namespace kv {

std::unique_ptr<PulseLibrary> PulseLibrary::open() {
    // The run-time name of the library's ABI, as its package installs it.
    void* handle = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return nullptr;
    std::unique_ptr<PulseLibrary> lib(new PulseLibrary);
#define KV_PULSE_LOAD(name)                                                                        \
    lib->name = reinterpret_cast<decltype(lib->name)>(dlsym(handle, "pa_" #name));                 \
    if (!lib->name) return nullptr;
    KV_PULSE_FUNCTIONS(KV_PULSE_LOAD)
#undef KV_PULSE_LOAD
    return lib;
}

// The library stays loaded: its own clean-up runs when the program exits, and
// closing it under a client library's feet gains nothing.
PulseLibrary::~PulseLibrary() = default;

} // namespace kv
