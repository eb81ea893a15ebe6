#include "platform/runtimelibrary.h"

#include <dlfcn.h>

namespace kv {

RuntimeLibrary::RuntimeLibrary(const char* soname)
    : handle_(dlopen(soname, RTLD_NOW | RTLD_LOCAL)), complete_(handle_ != nullptr) {}

void* RuntimeLibrary::address(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

bool RuntimeLibrary::complete() {
    if (!complete_ && handle_) {
        dlclose(handle_);
        handle_ = nullptr;
    }
    return complete_;
}

} // namespace kv
