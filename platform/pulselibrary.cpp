#include "platform/pulselibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

std::unique_ptr<PulseLibrary> PulseLibrary::open() {
    std::unique_ptr<PulseLibrary> lib(new PulseLibrary);
    RuntimeLibrary so("libpulse.so.0");
#define KV_PULSE_LOAD(name) so.find(lib->name, "pa_" #name);
    KV_PULSE_FUNCTIONS(KV_PULSE_LOAD)
#undef KV_PULSE_LOAD
    if (!so.complete()) return nullptr;
    return lib;
}

// The library stays loaded: its own clean-up runs when the program exits, and
// closing it under a client library's feet gains nothing.
PulseLibrary::~PulseLibrary() = default;

} // namespace kv
