// BMP: an opaque true-colour picture is written here as a 24-bit bottom-up
// bitmap straight from its pixels, at about the speed of copying memory; other
// pictures (indexed, with alpha, 1 bit) go to Qt's writer, which keeps their
// own depth.
#include "imageio/encoders.h"
#include "imageio/packrows.h"
#include "imageio/rowpieces.h"

#include <algorithm>
#include <cstring>

namespace kv {

namespace {

void put16(uchar*& at, quint16 v) {
    at[0] = uchar(v);
    at[1] = uchar(v >> 8);
    at += 2;
}

void put32(uchar*& at, quint32 v) {
    put16(at, quint16(v));
    put16(at, quint16(v >> 16));
}

constexpr int headerBytes = 14 + 40;

// The file header and the BITMAPINFOHEADER of a 24-bit picture.
void putHeaders(uchar* at, const QImage& image, quint32 pixelBytes) {
    *at++ = 'B';
    *at++ = 'M';
    put32(at, headerBytes + pixelBytes);
    put32(at, 0); // reserved
    put32(at, headerBytes);
    put32(at, 40);
    put32(at, quint32(image.width()));
    put32(at, quint32(image.height())); // positive: rows bottom-up
    put16(at, 1);                       // planes
    put16(at, 24);
    put32(at, 0); // BI_RGB
    put32(at, pixelBytes);
    put32(at, quint32(std::max(0, image.dotsPerMeterX())));
    put32(at, quint32(std::max(0, image.dotsPerMeterY())));
    put32(at, 0); // colours used
    put32(at, 0); // important colours
}

} // namespace

bool bmpWritesDirectly(const QImage& image) {
    return !image.isNull() && image.depth() >= 16 && !image.hasAlphaChannel();
}

bool writeBmp(const QImage& image, const ByteSink& sink) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = (qsizetype(rgb.width()) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * rgb.height();
    if (rgb.isNull() || pixelBytes + headerBytes > qsizetype(0xffffffffu)) return false;
    uchar header[headerBytes];
    putHeaders(header, rgb, quint32(pixelBytes));
    if (!sink(reinterpret_cast<const char*>(header), headerBytes)) return false;
    // The file's rows run bottom-up; the padding after each stays zero, as
    // readers expect.
    const int height = rgb.height();
    return WriteRowsInPieces(
        height, rowBytes,
        [&](int first, int n, uchar* to) {
            for (int r = 0; r < n; ++r)
                packBgr(reinterpret_cast<const QRgb*>(rgb.constScanLine(height - 1 - first - r)),
                        to + rowBytes * r, rgb.width());
            return true;
        },
        sink);
}

EncoderOutput encodeBmp(const QImage& image) {
    if (!bmpWritesDirectly(image)) return encodeWithQt(image, "bmp", -1);
    EncoderOutput out;
    const qsizetype rowBytes = (qsizetype(image.width()) * 3 + 3) & ~qsizetype(3);
    out.bytes.reserve(headerBytes + rowBytes * image.height());
    if (!writeBmp(image, [&](const char* data, qsizetype n) {
            out.bytes.append(data, n);
            return true;
        }))
        return {{}, QStringLiteral("图片太大,BMP 文件最大 4 GB。")};
    return out;
}

} // namespace kv
