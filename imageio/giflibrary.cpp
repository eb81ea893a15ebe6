#include "imageio/giflibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

const GifLibrary* OpenGifLibrary() {
    return OpenRuntimeLibrary<GifLibrary>("libgif.so.7", [](RuntimeLibrary& so, GifLibrary& lib) {
#define KV_GIF_LOAD(name) so.find(lib.name, #name);
        KV_GIF_FUNCTIONS(KV_GIF_LOAD)
#undef KV_GIF_LOAD
    });
}

} // namespace kv
