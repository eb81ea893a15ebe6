#pragma once

namespace kv {

// Lets the heap keep large blocks for reuse instead of handing each one back to
// the system when it is freed. Kolvane allocates and frees pictures of the whole
// screen (8 MB at 1920 x 1080, 33 MB at 3840 x 2160) again and again; a block
// fresh from the system costs a page fault on the first touch of every 4 KB page,
// which on our virtual machines adds up to 22 ms for one 8 MB picture. Call once,
// before the first picture.
void keepLargeBlocksForReuse();

} // namespace kv
