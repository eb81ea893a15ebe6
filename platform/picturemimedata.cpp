#include "platform/picturemimedata.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

namespace kv {

namespace {

const QString qtImageType = QStringLiteral("application/x-qt-image");
const QString pngType = QStringLiteral("image/png");
const QString bmpType = QStringLiteral("image/bmp");

// How long a paste waits for a worker with the event loop running. Past it the
// paste is answered by encoding right here: by then the pool's threads are busy
// with other work, and the asking program would not wait much longer.
constexpr int longestWaitMs = 5000;

// Qt answers its own image type with PNG; so do we, from the same bytes.
QString storedTypeOf(const QString& mimeType) {
    return mimeType == qtImageType ? pngType : mimeType;
}

bool encodedAhead(const QString& storedType) {
    return storedType == pngType || storedType == bmpType;
}

// A nested event loop is only sound on the thread of a running application,
// not while it is being torn down (Qt hands the clipboard to a clipboard manager
// then, from its destructor).
bool mayRunEventLoop() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && !QCoreApplication::closingDown() && QThread::currentThread() == app->thread();
}

} // namespace

struct PictureMimeData::Encodings {
    PictureEncoder encoder;
    std::mutex mutex;
    std::condition_variable ready;
    std::map<QString, QByteArray> bytes; // a type is present once it was encoded
    bool workerDone = false;
    int pending = 0; // workers still encoding
    // Event loops of pastes waiting on the UI thread, nested when a second
    // paste arrives while the first waits; each is woken on every result.
    std::vector<QEventLoop*> waiting;

    // Called with the lock held.
    void wakeAll() {
        ready.notify_all();
        for (QEventLoop* loop : waiting)
            QMetaObject::invokeMethod(loop, &QEventLoop::quit, Qt::QueuedConnection);
    }
    void store(const QString& type, QByteArray encoded) {
        std::lock_guard lock(mutex);
        bytes[type] = std::move(encoded);
        wakeAll();
    }
    bool arrived(const QString& type) const { return bytes.count(type) || workerDone; }

    // Waits, the lock held on entry and exit, until the worker has stored
    // `type`; false when it took longer than a paste should wait.
    bool awaitWorker(std::unique_lock<std::mutex>& lock, const QString& type) {
        if (!mayRunEventLoop()) {
            ready.wait(lock, [&] { return arrived(type); });
            return true;
        }
        // The UI goes on meanwhile: it repaints, takes input and answers other
        // pastes, each of which may wait in a loop of its own inside this one.
        const QDeadlineTimer deadline(longestWaitMs);
        while (!arrived(type) && !deadline.hasExpired()) {
            QEventLoop loop;
            waiting.push_back(&loop);
            lock.unlock();
            QTimer::singleShot(deadline.remainingTime(), &loop, &QEventLoop::quit);
            loop.exec();
            lock.lock();
            waiting.erase(std::find(waiting.begin(), waiting.end(), &loop));
        }
        return arrived(type);
    }

    // The bytes of a stored type (see storedTypeOf), encoded on this thread when
    // no worker makes them.
    QByteArray bytesOf(const QImage& image, const QString& type) {
        std::unique_lock lock(mutex);
        if (encodedAhead(type) && awaitWorker(lock, type)) {
            const auto it = bytes.find(type);
            if (it != bytes.end()) return it->second;
        }
        if (const auto it = bytes.find(type); it != bytes.end()) return it->second;
        if (!encoder || !type.startsWith(QStringLiteral("image/"))) return {};
        lock.unlock();
        QByteArray encoded = encoder(image, type);
        store(type, encoded);
        return encoded;
    }
};

PictureMimeData::PictureMimeData(QImage image, PictureEncoder encoder)
    : image_(std::move(image)), encodings_(std::make_shared<Encodings>()) {
    encodings_->encoder = std::move(encoder);
    if (!encodings_->encoder || image_.isNull()) {
        encodings_->workerDone = true;
        return;
    }
    // The workers hold their own reference to the image (shared, not copied)
    // and to the results, so they may finish after this object is gone. Each
    // type has its own worker, so that a paste of BMP does not wait for the PNG.
    encodings_->pending = 2;
    for (const QString& type : {pngType, bmpType})
        QThreadPool::globalInstance()->start([image = image_, encodings = encodings_, type] {
            encodings->store(type, encodings->encoder(image, type));
            std::lock_guard lock(encodings->mutex);
            if (--encodings->pending == 0) encodings->workerDone = true;
            encodings->wakeAll();
        });
}

PictureMimeData::~PictureMimeData() = default;

QStringList PictureMimeData::formats() const {
    // What a QMimeData holding an image offers; Qt adds every image type it can
    // write when it announces the clipboard's targets.
    return {qtImageType};
}

QByteArray PictureMimeData::encoded(const QString& mimeType) const {
    // While a paste waits, the clipboard may delete this object (another
    // program took the clipboard, or a new picture was put there): the wait
    // uses copies only, which outlive it.
    const std::shared_ptr<Encodings> encodings = encodings_;
    const QImage image = image_;
    return encodings->bytesOf(image, storedTypeOf(mimeType));
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    const bool wantsImage = type.id() == QMetaType::QImage || type.id() == QMetaType::QPixmap;
    const QImage image = image_; // see encoded()
    if (mimeType == qtImageType && wantsImage) return image;
    const QByteArray bytes = encoded(mimeType);
    if (!bytes.isEmpty()) return bytes;
    // No bytes of our own: Qt's clipboard then writes the type itself.
    return mimeType == qtImageType ? QVariant(image) : QVariant();
}

} // namespace kv
