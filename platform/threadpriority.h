#pragma once
// Warm-up work on a worker thread at start (reading the font configuration)
// competes for the cores with the user-interface thread, the display server and
// the window manager, all of which the first window waits for. On a machine of two
// cores even a lower nice value cost the window's mapping several milliseconds: a
// woken thread does not always displace a niced one at once.

namespace kv {

// Lets the calling thread run only on cores nothing else wants (SCHED_IDLE; a high
// nice value where that is refused). Any other thread that wakes takes the core at
// once. It cannot be undone without privileges, and on a busy machine the thread
// may wait long: nobody may need to wait for such a thread. Threads it starts
// inherit the priority for good, so it must start none, directly or through Qt
// (painting and image conversion start the threads of Qt's shared pool, which later
// encode the clipboard's pictures).
void LowerThisThreadsPriority();

} // namespace kv
