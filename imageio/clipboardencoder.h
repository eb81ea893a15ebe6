#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace kv {

// The bytes of a picture as an image MIME type for the clipboard: PNG and BMP
// by Kolvane's own writers, any other type by Qt's writer of that name. Empty
// when the type has no writer. Safe to call on any thread.
QByteArray encodeForClipboard(const QImage& image, const QString& mimeType);

} // namespace kv
