#include "imageio/pictureformat.h"

namespace kv {

std::optional<PictureFormat> formatForKey(const QString& key) {
    const QString k = key.toLower();
    if (k == u"jpg" || k == u"jpeg") return PictureFormat::Jpeg;
    if (k == u"png") return PictureFormat::Png;
    if (k == u"gif") return PictureFormat::Gif;
    if (k == u"tiff") return PictureFormat::Tiff;
    if (k == u"bmp") return PictureFormat::Bmp;
    return std::nullopt;
}

QString formatKeyOf(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.mid(dot + 1);
}

QString formatName(PictureFormat format) {
    switch (format) {
    case PictureFormat::Png:
        return QStringLiteral("PNG");
    case PictureFormat::Jpeg:
        return QStringLiteral("JPEG");
    case PictureFormat::Bmp:
        return QStringLiteral("BMP");
    case PictureFormat::Gif:
        return QStringLiteral("GIF");
    case PictureFormat::Tiff:
        return QStringLiteral("TIFF");
    }
    return {};
}

} // namespace kv
