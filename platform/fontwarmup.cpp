#include "platform/fontwarmup.h"

#include "platform/threadpriority.h"

#include <fontconfig/fontconfig.h>

namespace kv {

// fontconfig sets its default configuration atomically: when the toolkit asks
// for it before the worker is done, it loads it itself and one of the two loads
// is kept. So the worker can run at a low priority: the toolkit never waits for it.
FontWarmUp::FontWarmUp()
    : worker_([] {
          LowerThisThreadsPriority();
          FcInit();
      }) {}

FontWarmUp::~FontWarmUp() {
    if (worker_.joinable()) worker_.join();
}

} // namespace kv
