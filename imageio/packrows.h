#pragma once
// Opaque 32-bit pixels (QImage::Format_RGB32) packed into three bytes each, as
// the uncompressed file formats store them.
#include <QRgb>

namespace kv {

// Blue, green, red: a BMP row.
void packBgr(const QRgb* from, uchar* to, int pixels);
// Red, green, blue: a TIFF row.
void packRgb(const QRgb* from, uchar* to, int pixels);

} // namespace kv
