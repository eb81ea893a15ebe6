#include "platform/x11shmpool.h"

#include "platform/x11connection.h"

#include <mutex>
#include <sys/shm.h>
#include <vector>

namespace kv {

// Shared with every picture that lives on a segment, so that a picture can hand
// its segment back from whichever thread lets it go, even after the pool is gone.
struct ShmPool::State {
    std::mutex mutex;
    std::shared_ptr<X11Connection> x;
    std::optional<Lease> spare;
    std::vector<xcb_shm_seg_t> lent; // attached in the server, living in pictures
    bool closed = false;

    // Takes `lease` back under the lock: keeps the larger of it and the spare.
    void takeBack(Lease lease) {
        if (closed) {
            // The server forgot the segment when the pool closed.
            shmdt(lease.segment.addr);
            return;
        }
        if (!spare) {
            spare = lease;
            return;
        }
        Lease drop = lease;
        if (lease.size > spare->size) std::swap(drop, *spare);
        DetachShmSegment(x->get(), drop.segment);
    }
};

namespace {

struct Adopted {
    std::shared_ptr<ShmPool::State> state;
    ShmPool::Lease lease;
};

void returnAdopted(void* info) {
    std::unique_ptr<Adopted> adopted(static_cast<Adopted*>(info));
    auto& state = *adopted->state;
    std::lock_guard lock(state.mutex);
    std::erase(state.lent, adopted->lease.segment.seg);
    state.takeBack(adopted->lease);
}

} // namespace

ShmPool::ShmPool(std::shared_ptr<X11Connection> x) : state_(std::make_shared<State>()) {
    state_->x = std::move(x);
}

ShmPool::~ShmPool() {
    std::lock_guard lock(state_->mutex);
    xcb_connection_t* c = state_->x->get();
    if (state_->spare) DetachShmSegment(c, state_->spare->segment);
    state_->spare.reset();
    for (xcb_shm_seg_t seg : state_->lent)
        xcb_shm_detach(c, seg);
    xcb_flush(c);
    state_->lent.clear();
    state_->closed = true;
}

std::optional<ShmPool::Lease> ShmPool::acquire(size_t bytes) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->spare && state_->spare->size >= bytes) {
            Lease lease = *state_->spare;
            state_->spare.reset();
            return lease;
        }
    }
    const ShmSegment segment = AttachShmSegment(state_->x->get(), bytes);
    if (!segment.valid()) return std::nullopt;
    return Lease{segment, bytes};
}

void ShmPool::release(Lease lease) {
    std::lock_guard lock(state_->mutex);
    state_->takeBack(lease);
}

QImage ShmPool::adopt(Lease lease, QSize size, QImage::Format format) {
    if (size.isEmpty() || size_t(size.width()) * size_t(size.height()) * 4 > lease.size) {
        release(lease);
        return {};
    }
    {
        std::lock_guard lock(state_->mutex);
        state_->lent.push_back(lease.segment.seg);
    }
    auto* adopted = new Adopted{state_, lease};
    return QImage(lease.bits(), size.width(), size.height(), qsizetype(size.width()) * 4, format,
                  returnAdopted, adopted);
}

int ShmPool::attachedCount() const {
    std::lock_guard lock(state_->mutex);
    return int(state_->lent.size()) + (state_->spare ? 1 : 0);
}

} // namespace kv
