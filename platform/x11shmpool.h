#pragma once

#include "platform/x11shmsegment.h"

#include <QImage>
#include <memory>
#include <optional>

namespace kv {

class X11Connection;

// Shared-memory segments for screen reads, handed out and taken back so that a
// run of captures does not create and attach a segment each time.
//
// A segment can also become the memory of the picture read into it: the X server
// then writes the pixels straight into the picture, with no copy afterwards. The
// segment comes back when the last copy of that picture is gone. One spare
// segment is kept between reads; any other is detached when it comes back.
class ShmPool {
public:
    struct Lease {
        ShmSegment segment;
        size_t size = 0;
        uchar* bits() const { return static_cast<uchar*>(segment.addr); }
    };

    explicit ShmPool(std::shared_ptr<X11Connection> x);
    // Detaches every segment from the server. Pictures still living on a segment
    // keep their memory; it is released here when the last of them goes.
    ~ShmPool();
    ShmPool(const ShmPool&) = delete;
    ShmPool& operator=(const ShmPool&) = delete;

    // A segment of at least `bytes`; the spare when it is large enough.
    std::optional<Lease> acquire(size_t bytes);
    // Gives a segment back unused.
    void release(Lease lease);
    // A picture of `size` whose memory is the segment (32 bits a pixel, rows
    // without padding); the segment returns to the pool with the picture's last
    // copy. The lease must hold at least size.width() * size.height() * 4 bytes.
    QImage adopt(Lease lease, QSize size, QImage::Format format);

    // How many segments are attached right now, spare included (for tests).
    int attachedCount() const;

    // What the pool shares with the pictures living on its segments.
    struct State;

private:
    std::shared_ptr<State> state_;
};

} // namespace kv
