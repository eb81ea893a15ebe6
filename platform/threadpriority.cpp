#include "platform/threadpriority.h"

#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace kv {

void LowerThisThreadsPriority() {
    // On Linux both calls act on the calling thread alone. A failure leaves the
    // thread as it was, which is only slower for the others.
    sched_param none{};
    if (sched_setscheduler(0, SCHED_IDLE, &none) == 0) return;
    constexpr int kBackgroundNice = 19;
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kBackgroundNice);
}

} // namespace kv
