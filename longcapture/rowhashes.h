#pragma once

// One number per row of a picture, so that rows can be compared by the thousand
// without touching their pixels again.
#include <QImage>
#include <QtGlobal>
#include <vector>

namespace kv {

// A 64-bit hash of every row's pixels (equal rows give equal hashes; unequal rows
// almost never do, and a match is confirmed on the pixels anyway). The picture is
// 32 bits per pixel.
std::vector<quint64> rowHashes(const QImage& picture);

// Whether row `a` of one picture has the same pixels as row `b` of another of the
// same width.
bool rowsEqual(const QImage& first, int a, const QImage& second, int b);

} // namespace kv
