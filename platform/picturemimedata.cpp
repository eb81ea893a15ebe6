#include "platform/picturemimedata.h"

#include <QThreadPool>

#include <condition_variable>
#include <map>
#include <mutex>

namespace kv {

namespace {

const QString qtImageType = QStringLiteral("application/x-qt-image");
const QString pngType = QStringLiteral("image/png");
const QString bmpType = QStringLiteral("image/bmp");

// Qt answers its own image type with PNG; so do we, from the same bytes.
QString storedTypeOf(const QString& mimeType) {
    return mimeType == qtImageType ? pngType : mimeType;
}

bool encodedAhead(const QString& storedType) {
    return storedType == pngType || storedType == bmpType;
}

} // namespace

struct PictureMimeData::Encodings {
    PictureEncoder encoder;
    std::mutex mutex;
    std::condition_variable ready;
    std::map<QString, QByteArray> bytes; // a type is present once it was encoded
    bool workerDone = false;
    int pending = 0; // workers still encoding

    void store(const QString& type, QByteArray encoded) {
        std::lock_guard lock(mutex);
        bytes[type] = std::move(encoded);
        ready.notify_all();
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
            encodings->ready.notify_all();
        });
}

PictureMimeData::~PictureMimeData() = default;

QStringList PictureMimeData::formats() const {
    // What a QMimeData holding an image offers; Qt adds every image type it can
    // write when it announces the clipboard's targets.
    return {qtImageType};
}

QByteArray PictureMimeData::encoded(const QString& mimeType) const {
    const QString type = storedTypeOf(mimeType);
    Encodings& e = *encodings_;
    std::unique_lock lock(e.mutex);
    if (encodedAhead(type)) {
        e.ready.wait(lock, [&] { return e.bytes.count(type) || e.workerDone; });
        const auto it = e.bytes.find(type);
        if (it != e.bytes.end()) return it->second;
    }
    if (const auto it = e.bytes.find(type); it != e.bytes.end()) return it->second;
    if (!e.encoder || !type.startsWith(QStringLiteral("image/"))) return {};
    lock.unlock();
    QByteArray bytes = e.encoder(image_, type);
    e.store(type, bytes);
    return bytes;
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const {
    const bool wantsImage = type.id() == QMetaType::QImage || type.id() == QMetaType::QPixmap;
    if (mimeType == qtImageType && wantsImage) return image_;
    const QByteArray bytes = encoded(mimeType);
    if (!bytes.isEmpty()) return bytes;
    // No bytes of our own: Qt's clipboard then writes the type itself.
    return mimeType == qtImageType ? QVariant(image_) : QVariant();
}

} // namespace kv
