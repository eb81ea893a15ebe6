#pragma once

// One number per row of a picture, so that rows can be compared by the thousand
// without touching their pixels again.
#include <QImage>
#include <QtGlobal>
#include <vector>

namespace kv {

// A 64-bit hash of every row's first `width` pixels (equal rows give equal hashes;
// unequal rows almost never do, and a match is confirmed on the pixels anyway). The
// picture is 32 bits per pixel.
std::vector<quint64> rowHashes(const QImage& picture, int width);

// Whether the first `width` pixels of row `a` of one picture are those of row `b` of
// another.
bool rowsEqual(const QImage& first, int a, const QImage& second, int b, int width);

} // namespace kv
