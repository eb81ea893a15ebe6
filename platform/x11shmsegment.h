#pragma once

#include <xcb/shm.h>

#include <cstddef>

namespace kv {

// A System V shared-memory segment attached both here and in the X server, for
// MIT-SHM image reads.
struct ShmSegment {
    xcb_shm_seg_t seg = 0;
    void* addr = nullptr;
    bool valid() const { return addr != nullptr; }
};

// What the server offers of MIT-SHM.
struct ShmSupport {
    bool present = false;       // shared-memory image reads
    bool sharedPixmaps = false; // pixmaps whose memory is a segment (Z-pixmap layout)
};
ShmSupport QueryShmSupport(xcb_connection_t* c);

// Creates and attaches a segment of `bytes`; an invalid segment when any step fails.
ShmSegment AttachShmSegment(xcb_connection_t* c, size_t bytes);
// Detaches it on both sides (nothing for an invalid segment).
void DetachShmSegment(xcb_connection_t* c, ShmSegment& segment);

} // namespace kv
