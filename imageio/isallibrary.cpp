#include "imageio/isallibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

const IsalLibrary* OpenIsalLibrary() {
    // Made once, whichever thread encodes first.
    static const std::optional<IsalLibrary> library =
        LoadRuntimeLibrary<IsalLibrary>("libisal.so.2", [](RuntimeLibrary& so, IsalLibrary& lib) {
#define KV_ISAL_LOAD(name) so.find(lib.name, #name);
            KV_ISAL_FUNCTIONS(KV_ISAL_LOAD)
#undef KV_ISAL_LOAD
        });
    return library ? &*library : nullptr;
}

} // namespace kv
