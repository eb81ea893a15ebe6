#include "platform/x11connection.h"
#include "platform/x11screenreader.h"
#include "platform/x11shmsegment.h"

#include <xcb/shm.h>

#include <cstdlib>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace kv {
namespace {

class X11RawRead final : public RawSharedMemoryRead {
public:
    X11RawRead(std::shared_ptr<X11Connection> x, ShmSegment segment)
        : x_(std::move(x)), segment_(segment) {}
    ~X11RawRead() override { DetachShmSegment(x_->get(), segment_); }
    bool read(const QRect& r) override {
        xcb_connection_t* c = x_->get();
        auto cookie = xcb_shm_get_image(c, x_->root(), int16_t(r.x()), int16_t(r.y()),
                                        uint16_t(r.width()), uint16_t(r.height()), ~0u,
                                        XCB_IMAGE_FORMAT_Z_PIXMAP, segment_.seg, 0);
        xcb_generic_error_t* error = nullptr;
        auto* reply = xcb_shm_get_image_reply(c, cookie, &error);
        std::free(error);
        std::free(reply);
        return reply != nullptr;
    }

private:
    std::shared_ptr<X11Connection> x_;
    ShmSegment segment_;
};

} // namespace

std::unique_ptr<RawSharedMemoryRead> createRawSharedMemoryRead(const QSize& largest) {
    auto x = X11Connection::open();
    if (!x || !x->screen()) return nullptr;
    xcb_connection_t* c = x->get();
    if (!QueryShmSupport(c).present) return nullptr;
    const size_t size = size_t(largest.width()) * size_t(largest.height()) * 4;
    const ShmSegment segment = AttachShmSegment(c, size);
    if (!segment.valid()) return nullptr;
    return std::make_unique<X11RawRead>(std::move(x), segment);
}

} // namespace kv
