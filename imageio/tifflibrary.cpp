#include "imageio/tifflibrary.h"

#include <dlfcn.h>

#include <optional>

namespace kv {

namespace {

std::optional<TiffLibrary> load() {
    // The run-time name of the library's ABI, as its package installs it.
    void* handle = dlopen("libtiff.so.6", RTLD_NOW | RTLD_LOCAL);
    if (!handle) return std::nullopt;
    TiffLibrary lib;
    bool complete = true;
#define KV_TIFF_LOAD(name)                                                                         \
    lib.name = reinterpret_cast<decltype(lib.name)>(dlsym(handle, "TIFF" #name));                  \
    complete = complete && lib.name;
    KV_TIFF_FUNCTIONS(KV_TIFF_LOAD)
#undef KV_TIFF_LOAD
    // A library without every function is of no use: let it go again.
    if (!complete) {
        dlclose(handle);
        return std::nullopt;
    }
    return lib;
}

} // namespace

const TiffLibrary* OpenTiffLibrary() {
    // Made once, whichever thread saves first.
    static const std::optional<TiffLibrary> library = load();
    return library ? &*library : nullptr;
}

} // namespace kv
