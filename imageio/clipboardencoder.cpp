#include "imageio/clipboardencoder.h"

#include "imageio/encoders.h"

namespace kv {

QByteArray encodeForClipboard(const QImage& image, const QString& mimeType) {
    if (mimeType == u"image/png") return encodePng(image).bytes;
    if (mimeType == u"image/bmp") return encodeBmp(image).bytes;
    if (!mimeType.startsWith(u"image/")) return {};
    // As Qt's clipboard names its writers: "image/jpeg" is the writer "JPEG".
    const QByteArray writer = mimeType.mid(mimeType.indexOf(u'/') + 1).toLatin1().toUpper();
    return encodeWithQt(image, writer.constData(), -1).bytes;
}

} // namespace kv
