// BMP: an opaque true-colour picture is written here as a 24-bit bottom-up
// bitmap straight from its pixels, at about the speed of copying memory; other
// pictures (indexed, with alpha, 1 bit) go to Qt's writer, which keeps their
// own depth.
#include "imageio/encoders.h"

#include <bit>
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

// One row of 0xAARRGGBB pixels as B, G, R bytes. Each pixel is stored as four
// bytes whose fourth the next pixel overwrites; the caller leaves a spare byte
// after the row.
static_assert(std::endian::native == std::endian::little, "pixels are stored B, G, R, A");
void putRow(const QRgb* in, int width, uchar* out) {
    for (int x = 0; x < width; ++x)
        std::memcpy(out + 3 * x, in + x, 4);
}

} // namespace

EncoderOutput encodeBmp(const QImage& image) {
    if (image.depth() < 16 || image.hasAlphaChannel()) return encodeWithQt(image, "bmp", -1);
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const qsizetype rowBytes = (qsizetype(rgb.width()) * 3 + 3) & ~qsizetype(3);
    const qsizetype pixelBytes = rowBytes * rgb.height();
    if (pixelBytes + headerBytes > qsizetype(0xffffffffu))
        return {{}, QStringLiteral("图片太大,BMP 文件最大 4 GB。")};

    EncoderOutput out;
    // One spare byte for the last row's four-byte store.
    out.bytes = QByteArray(headerBytes + pixelBytes + 1, Qt::Uninitialized);
    auto* base = reinterpret_cast<uchar*>(out.bytes.data());
    putHeaders(base, rgb, quint32(pixelBytes));
    uchar* pixels = base + headerBytes;
    // In file order, so each row's spare store lands on the row written next.
    for (int r = 0; r < rgb.height(); ++r) {
        uchar* row = pixels + rowBytes * r;
        const int y = rgb.height() - 1 - r;
        putRow(reinterpret_cast<const QRgb*>(rgb.constScanLine(y)), rgb.width(), row);
        // Padding to a multiple of four bytes is zero, as readers expect.
        std::memset(row + 3 * rgb.width(), 0, size_t(rowBytes - 3 * rgb.width()));
    }
    out.bytes.truncate(headerBytes + pixelBytes);
    return out;
}

} // namespace kv
