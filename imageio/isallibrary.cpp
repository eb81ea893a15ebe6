#include "imageio/isallibrary.h"

#include "platform/runtimelibrary.h"

namespace kv {

const IsalLibrary* OpenIsalLibrary() {
    return OpenRuntimeLibrary<IsalLibrary>("libisal.so.2",
                                           [](RuntimeLibrary& so, IsalLibrary& lib) {
#define KV_ISAL_LOAD(name) so.find(lib.name, #name);
                                               KV_ISAL_FUNCTIONS(KV_ISAL_LOAD)
#undef KV_ISAL_LOAD
                                           });
}

} // namespace kv
