// The per-sample loops here have no branches, so the compiler turns them into
// vector code; this file is built with full optimisation for that.
#include "imageio/pngrows.h"

#include <cstring>

namespace kv {

namespace {

constexpr char subFilter = 1;

void subtractLeft(const uchar* in, qsizetype n, int bpp, uchar* out) {
    std::memcpy(out, in, size_t(std::min<qsizetype>(bpp, n)));
    for (qsizetype i = bpp; i < n; ++i)
        out[i] = uchar(in[i] - in[i - bpp]);
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

} // namespace

bool filterPngRows(const QImage& image, bool alpha, int firstRow, int rows, uchar* out) {
    const QImage samples =
        band(image, firstRow, rows)
            .convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (samples.isNull()) return false;
    const int bpp = alpha ? 4 : 3;
    const qsizetype rowBytes = qsizetype(samples.width()) * bpp;
    for (int y = 0; y < rows; ++y, out += rowBytes + 1) {
        out[0] = subFilter;
        subtractLeft(samples.constScanLine(y), rowBytes, bpp, out + 1);
    }
    return true;
}

} // namespace kv
