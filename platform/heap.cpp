#include "platform/heap.h"

#include <cstdlib> // defines __GLIBC__ where it applies
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kv {

void keepLargeBlocksForReuse() {
#ifdef __GLIBC__
    // Blocks up to 64 MB come from the heap, and up to 64 MB of freed heap stay
    // with the process: enough for the layers of a 4K screen. glibc would reach
    // much the same by itself after the first large block is freed, but only
    // then, and not at all when the large pictures live elsewhere.
    constexpr int limit = 64 << 20;
    mallopt(M_MMAP_THRESHOLD, limit);
    mallopt(M_TRIM_THRESHOLD, limit);
#endif
}

} // namespace kv
