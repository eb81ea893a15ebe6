#pragma once

#include <QImage>

namespace kv {

// Rows [firstRow, firstRow + rows) of a picture as PNG scan lines before
// compression, written to `out`: each row one filter-type byte and its samples,
// 8 bits each, red first, RGBA (straight alpha) when `alpha`, otherwise RGB;
// every row filtered "Sub" (each sample less the same sample of the pixel to its
// left). `out` holds rows * (1 + width * (alpha ? 4 : 3)) bytes. False when the
// memory for the conversion could not be had.
bool filterPngRows(const QImage& image, bool alpha, int firstRow, int rows, uchar* out);

} // namespace kv
