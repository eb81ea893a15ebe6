#include "imageio/tifflibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

const TiffLibrary* OpenTiffLibrary() {
    return OpenRuntimeLibrary<TiffLibrary>("libtiff.so.6",
                                           [](RuntimeLibrary& so, TiffLibrary& lib) {
#define KV_TIFF_LOAD(name) so.find(lib.name, "TIFF" #name);
                                               KV_TIFF_FUNCTIONS(KV_TIFF_LOAD)
#undef KV_TIFF_LOAD
                                           });
}

} // namespace kv
