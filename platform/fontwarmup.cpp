#include "platform/fontwarmup.h"

#include <fontconfig/fontconfig.h>

namespace kv {

// fontconfig sets its default configuration atomically: when the toolkit asks
// for it at the same moment, one of the two loads is kept and the other freed.
FontWarmUp::FontWarmUp() : worker_([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() {
    if (worker_.joinable()) worker_.join();
}

} // namespace kv
