#include "platform/x11shmsegment.h"

#include <cstdlib>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace kv {

ShmSupport QueryShmSupport(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_shm_id);
    if (!ext || !ext->present) return {};
    auto* reply = xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr);
    if (!reply) return {};
    ShmSupport support;
    support.present = true;
    support.sharedPixmaps =
        reply->shared_pixmaps && reply->pixmap_format == XCB_IMAGE_FORMAT_Z_PIXMAP;
    std::free(reply);
    return support;
}

ShmSegment AttachShmSegment(xcb_connection_t* c, size_t bytes) {
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return {};
    void* addr = shmat(id, nullptr, 0);
    if (addr == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return {};
    }
    const xcb_shm_seg_t seg = xcb_generate_id(c);
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_shm_attach_checked(c, seg, uint32_t(id), 0));
    // Marked for removal at once: the segment goes away with the last detach,
    // even if this process dies.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(addr);
        return {};
    }
    return {seg, addr};
}

void DetachShmSegment(xcb_connection_t* c, ShmSegment& segment) {
    if (!segment.valid()) return;
    xcb_shm_detach(c, segment.seg);
    xcb_flush(c);
    shmdt(segment.addr);
    segment = {};
}

} // namespace kv
