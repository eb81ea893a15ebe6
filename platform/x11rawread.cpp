#include "platform/x11connection.h"
#include "platform/x11screenreader.h"

#include <xcb/shm.h>

#include <cstdlib>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace kv {
namespace {

class X11RawRead final : public RawSharedMemoryRead {
public:
    X11RawRead(std::shared_ptr<X11Connection> x, xcb_shm_seg_t seg, void* addr)
        : x_(std::move(x)), seg_(seg), addr_(addr) {}
    ~X11RawRead() override {
        xcb_shm_detach(x_->get(), seg_);
        xcb_flush(x_->get());
        shmdt(addr_);
    }
    bool read(const QRect& r) override {
        xcb_connection_t* c = x_->get();
        auto cookie =
            xcb_shm_get_image(c, x_->root(), int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()),
                              uint16_t(r.height()), ~0u, XCB_IMAGE_FORMAT_Z_PIXMAP, seg_, 0);
        xcb_generic_error_t* error = nullptr;
        auto* reply = xcb_shm_get_image_reply(c, cookie, &error);
        std::free(error);
        std::free(reply);
        return reply != nullptr;
    }

private:
    std::shared_ptr<X11Connection> x_;
    xcb_shm_seg_t seg_;
    void* addr_;
};

} // namespace

std::unique_ptr<RawSharedMemoryRead> createRawSharedMemoryRead(const QSize& largest) {
    auto x = X11Connection::open();
    if (!x || !x->screen()) return nullptr;
    xcb_connection_t* c = x->get();
    const xcb_query_extension_reply_t* ext = xcb_get_extension_data(c, &xcb_shm_id);
    if (!ext || !ext->present) return nullptr;
    const size_t size = size_t(largest.width()) * size_t(largest.height()) * 4;
    const int id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0) return nullptr;
    void* addr = shmat(id, nullptr, 0);
    if (addr == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return nullptr;
    }
    const xcb_shm_seg_t seg = xcb_generate_id(c);
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_shm_attach_checked(c, seg, uint32_t(id), 0));
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(addr);
        return nullptr;
    }
    return std::make_unique<X11RawRead>(std::move(x), seg, addr);
}

} // namespace kv
