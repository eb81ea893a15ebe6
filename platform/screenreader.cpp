#include "platform/screenreader.h"

#include "platform/compositorsync.h"

namespace kv {

bool ScreenReader::syncWithCompositor() {
    return kv::syncWithCompositor();
}

} // namespace kv
