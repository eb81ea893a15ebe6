#pragma once

#include <QByteArray>
#include <QImage>

namespace kv {

// A picture's PNG scan lines before compression: each row one filter-type byte
// and its filtered samples, 8 bits each, red first.
struct PngRows {
    QByteArray bytes; // empty when the memory could not be had
    int bytesPerPixel = 0;
};

// RGBA (straight alpha) when `alpha`, otherwise RGB; every row filtered with
// "Sub" (each sample less the same sample of the pixel to its left).
PngRows filterPngRows(const QImage& image, bool alpha);

} // namespace kv
