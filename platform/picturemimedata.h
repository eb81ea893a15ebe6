#pragma once

#include <QImage>
#include <QMimeData>

#include <functional>
#include <memory>

namespace kv {

// Turns a picture into the bytes of one image MIME type ("image/png", ...);
// empty when it has no writer of its own for that type.
using PictureEncoder = std::function<QByteArray(const QImage&, const QString& mimeType)>;

// A picture on the clipboard, offered as the same types as a plain QMimeData
// holding an image, but never encoded twice: "image/png" (also the answer for
// Qt's own "application/x-qt-image") and "image/bmp" are encoded once on a
// worker thread, started when the picture is put there, and every later request
// is answered from those bytes. Any other image type is encoded the first time
// it is asked for and kept. A paste that comes before its worker is done
// waits for it without stalling the UI.
class PictureMimeData : public QMimeData {
    Q_OBJECT
public:
    PictureMimeData(QImage image, PictureEncoder encoder);
    ~PictureMimeData() override;

    QStringList formats() const override;

    // The bytes of a type; waits for the worker when it is still encoding. On
    // the UI thread the event loop runs while it waits (other events, other
    // pastes, even this object's deletion by the clipboard may come meanwhile).
    QByteArray encoded(const QString& mimeType) const;

protected:
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    struct Encodings;
    QImage image_;
    // Shared with the worker, which may still be running when the clipboard
    // lets go of this object.
    std::shared_ptr<Encodings> encodings_;
};

} // namespace kv
