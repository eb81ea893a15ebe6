#pragma once

#include <QImage>

namespace kv {

// The two row filters that pay on screenshots: "None" keeps the samples, "Sub"
// takes from each sample the same sample of the pixel to its left. Which of the
// two compresses better depends on the picture (flat panels and few colours
// favour "None", gradients and photographs "Sub").
enum class PngFilter : char { None = 0, Sub = 1 };

// Rows [firstRow, firstRow + rows) of a picture as PNG scan lines before
// compression, written to `out`: each row one filter-type byte and its samples,
// 8 bits each, red first, RGBA (straight alpha) when `alpha`, otherwise RGB;
// every row filtered with `filter`. `out` holds rows * (1 + width * (alpha ? 4 :
// 3)) bytes. False when the memory for the conversion could not be had.
bool filterPngRows(const QImage& image, bool alpha, PngFilter filter, int firstRow, int rows,
                   uchar* out);

} // namespace kv
