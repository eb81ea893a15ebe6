#include "imageio/tifflibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

const TiffLibrary* OpenTiffLibrary() {
    // Made once, whichever thread saves first.
    static const std::optional<TiffLibrary> library =
        LoadRuntimeLibrary<TiffLibrary>("libtiff.so.6", [](RuntimeLibrary& so, TiffLibrary& lib) {
#define KV_TIFF_LOAD(name) so.find(lib.name, "TIFF" #name);
            KV_TIFF_FUNCTIONS(KV_TIFF_LOAD)
#undef KV_TIFF_LOAD
        });
    return library ? &*library : nullptr;
}

} // namespace kv
