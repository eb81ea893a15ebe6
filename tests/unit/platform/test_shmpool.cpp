// Shared-memory segments lent to pictures come back when the pictures go, are
// reused rather than attached again, and never pull memory from under a picture
// that outlives the pool.
#include "platform/x11connection.h"
#include "platform/x11rendercopy.h"
#include "platform/x11shmpool.h"

#include <QtTest>
#include <cstring>
#include <thread>

using namespace kv;

namespace {

constexpr size_t kBytes = 64 * 48 * 4;

QImage pattern(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 3, y * 5, (x ^ y) & 0xff));
    return image;
}

} // namespace

class TestShmPool : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        x_ = X11Connection::open();
        QVERIFY(x_);
    }

    void spareIsReused() {
        ShmPool pool(x_);
        auto first = pool.acquire(kBytes);
        QVERIFY(first);
        void* addr = first->segment.addr;
        pool.release(*first);
        auto second = pool.acquire(kBytes / 2);
        QVERIFY(second);
        QCOMPARE(second->segment.addr, addr);
        // Too small a spare is not handed out for a larger read.
        pool.release(*second);
        auto larger = pool.acquire(kBytes * 2);
        QVERIFY(larger && larger->segment.addr != addr);
        // Back again, the larger of the two stays and the other is detached.
        pool.release(*larger);
        QCOMPARE(pool.attachedCount(), 1);
        QCOMPARE(pool.acquire(kBytes)->size, kBytes * 2);
    }

    void adoptedSegmentComesBackWithTheLastCopy() {
        ShmPool pool(x_);
        QImage image = pool.adopt(*pool.acquire(kBytes), QSize(64, 48), QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        QCOMPARE(image.bytesPerLine(), 64 * 4);
        QImage copy = image;
        image = QImage();
        // Still lent: a new read needs a segment of its own.
        auto other = pool.acquire(kBytes);
        QVERIFY(other && other->segment.addr != copy.constBits());
        pool.release(*other);
        QCOMPARE(pool.attachedCount(), 2);
        copy = QImage();
        QCOMPARE(pool.attachedCount(), 1);
    }

    void tooSmallALeaseGivesNoPicture() {
        ShmPool pool(x_);
        QVERIFY(pool.adopt(*pool.acquire(kBytes), QSize(65, 48), QImage::Format_RGB32).isNull());
        QCOMPARE(pool.attachedCount(), 1); // the lease went back as the spare
    }

    void pictureOutlivesThePool() {
        QImage image;
        const QImage expected = pattern(QSize(64, 48));
        {
            ShmPool pool(x_);
            image = pool.adopt(*pool.acquire(kBytes), expected.size(), QImage::Format_RGB32);
            std::memcpy(image.bits(), expected.constBits(), kBytes);
        }
        QCOMPARE(image, expected);
        image.setPixel(0, 0, 0xff123456u); // still writable memory
        QCOMPARE(image.pixel(0, 0), 0xff123456u);
    }

    void pictureLetGoOnAnotherThread() {
        ShmPool pool(x_);
        QImage image = pool.adopt(*pool.acquire(kBytes), QSize(64, 48), QImage::Format_RGB32);
        std::thread([moved = std::move(image)]() mutable { moved = QImage(); }).join();
        QCOMPARE(pool.attachedCount(), 1);
    }

    // The test desktop offers Render into shared memory, so the fast path is the
    // one the screen-reader tests check; without this a silent fallback would
    // pass them all.
    void renderCopyAvailable() { QVERIFY(X11RenderCopy::create(x_)); }

private:
    std::shared_ptr<X11Connection> x_;
};

QTEST_MAIN(TestShmPool)
#include "test_shmpool.moc"
