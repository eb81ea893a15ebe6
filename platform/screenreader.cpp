#include "platform/screenreader.h"

#include "platform/compositorframe.h"

namespace kv {

bool ScreenReader::waitForCompositorFrame(int timeoutMs) {
    return kv::waitForCompositorFrame(timeoutMs);
}

} // namespace kv
