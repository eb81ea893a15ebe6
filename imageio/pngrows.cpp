// The per-sample loops here have no branches, so the compiler turns them into
// vector code; this file is built with full optimisation for that.
#include "imageio/pngrows.h"

#include "imageio/packrows.h"

#include <cstring>
#include <memory>
#include <new>

namespace kv {

namespace {

// Rows converted at a time: small enough to stay in the processor's cache
// between conversion and filtering, so no copy of the whole picture is made.
constexpr int chunkRows = 16;

void subtractLeft(const uchar* in, qsizetype n, int bpp, uchar* out) {
    std::memcpy(out, in, size_t(std::min<qsizetype>(bpp, n)));
    for (qsizetype i = bpp; i < n; ++i)
        out[i] = uchar(in[i] - in[i - bpp]);
}

// One row's filter byte and filtered samples.
void filterRow(PngFilter filter, const uchar* samples, qsizetype n, int bpp, uchar* out) {
    out[0] = char(filter);
    if (filter == PngFilter::Sub)
        subtractLeft(samples, n, bpp, out + 1);
    else
        std::memcpy(out + 1, samples, size_t(n));
}

// The rows as a picture of their own, sharing the pixels (and the colour table
// of an indexed picture), so that only they are converted.
QImage band(const QImage& image, int firstRow, int rows) {
    if (firstRow == 0 && rows == image.height()) return image;
    QImage view(image.constScanLine(firstRow), image.width(), rows, image.bytesPerLine(),
                image.format());
    view.setColorTable(image.colorTable());
    return view;
}

// Screenshots: opaque 32-bit pixels, packed a row at a time (straight into
// place when they are not filtered).
bool filterOpaque32(const QImage& image, PngFilter filter, int firstRow, int rows, uchar* out) {
    const int width = image.width();
    const qsizetype rowBytes = qsizetype(width) * 3;
    auto pixels = [&](int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); };
    if (filter == PngFilter::None) {
        for (int y = firstRow; y < firstRow + rows; ++y, out += rowBytes + 1) {
            out[0] = char(PngFilter::None);
            packRgb(pixels(y), out + 1, width);
        }
        return true;
    }
    const std::unique_ptr<uchar[]> packed(new (std::nothrow) uchar[size_t(rowBytes)]);
    if (!packed) return false;
    for (int y = firstRow; y < firstRow + rows; ++y, out += rowBytes + 1) {
        packRgb(pixels(y), packed.get(), width);
        filterRow(filter, packed.get(), rowBytes, 3, out);
    }
    return true;
}

} // namespace

bool filterPngRows(const QImage& image, bool alpha, PngFilter filter, int firstRow, int rows,
                   uchar* out) {
    if (!alpha && image.format() == QImage::Format_RGB32)
        return filterOpaque32(image, filter, firstRow, rows, out);
    const QImage::Format format = alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888;
    const int bpp = alpha ? 4 : 3;
    const qsizetype rowBytes = qsizetype(image.width()) * bpp;
    for (int at = firstRow; at < firstRow + rows; at += chunkRows) {
        const int n = std::min(chunkRows, firstRow + rows - at);
        const QImage samples = band(image, at, n).convertToFormat(format);
        if (samples.isNull()) return false;
        for (int y = 0; y < n; ++y, out += rowBytes + 1)
            filterRow(filter, samples.constScanLine(y), rowBytes, bpp, out);
    }
    return true;
}

} // namespace kv
