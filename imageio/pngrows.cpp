// The per-sample loops here have no branches, so the compiler turns them into
// vector code; this file is built with full optimisation for that.
#include "imageio/pngrows.h"

#include <cstring>
#include <new>

namespace kv {

namespace {

constexpr char subFilter = 1;

void subtractLeft(const uchar* in, qsizetype n, int bpp, uchar* out) {
    std::memcpy(out, in, size_t(std::min<qsizetype>(bpp, n)));
    for (qsizetype i = bpp; i < n; ++i)
        out[i] = uchar(in[i] - in[i - bpp]);
}

} // namespace

PngRows filterPngRows(const QImage& image, bool alpha) {
    const QImage samples =
        image.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    PngRows rows;
    rows.bytesPerPixel = alpha ? 4 : 3;
    if (samples.isNull()) return rows;
    const qsizetype rowBytes = qsizetype(samples.width()) * rows.bytesPerPixel;
    try {
        rows.bytes = QByteArray((rowBytes + 1) * samples.height(), Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        return rows;
    }
    uchar* out = reinterpret_cast<uchar*>(rows.bytes.data());
    for (int y = 0; y < samples.height(); ++y, out += rowBytes + 1) {
        out[0] = subFilter;
        subtractLeft(samples.constScanLine(y), rowBytes, rows.bytesPerPixel, out + 1);
    }
    return rows;
}

} // namespace kv
