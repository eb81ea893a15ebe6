#include "longcapture/framematch.h"

#include "longcapture/rowhashes.h"

#include <algorithm>
#include <cstdlib>

namespace kv {
namespace {

bool sameRow(const HashedFrame& a, int ya, const HashedFrame& b, int yb) {
    return a.rows[size_t(ya)] == b.rows[size_t(yb)] &&
           rowsEqual(a.picture, ya, b.picture, yb, a.width);
}

// Whether next's rows [from, to) are previous's rows [from + shift, to + shift): first on
// the hashes, then on the pixels.
bool overlapHolds(const HashedFrame& previous, const HashedFrame& next, int from, int to,
                  int shift) {
    if (!std::equal(next.rows.begin() + from, next.rows.begin() + to,
                    previous.rows.begin() + from + shift))
        return false;
    for (int y = from; y < to; ++y)
        if (!rowsEqual(next.picture, y, previous.picture, y + shift, next.width)) return false;
    return true;
}

} // namespace

HashedFrame HashedFrame::of(const QImage& picture, int width) {
    const QImage p =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    const int w = width > 0 ? std::min(width, p.width()) : p.width();
    return HashedFrame{p, rowHashes(p, w), w};
}

FrameMatch matchFrames(const HashedFrame& previous, const HashedFrame& next, int expectedShift,
                       int minOverlap) {
    FrameMatch m;
    const int h = previous.picture.height();
    if (previous.picture.size() != next.picture.size() || previous.width != next.width || h == 0)
        return m;
    while (m.top < h && sameRow(previous, m.top, next, m.top))
        ++m.top;
    if (m.top == h) {
        m.found = true;
        return m;
    }
    while (m.bottom < h - m.top && sameRow(previous, h - 1 - m.bottom, next, h - 1 - m.bottom))
        ++m.bottom;

    // The moving band, and every shift that lines up its first row of `next`.
    const int end = h - m.bottom;
    const int band = end - m.top;
    const int overlapNeeded = std::max(1, std::min(minOverlap, band / 2));
    std::vector<int> shifts;
    for (int d = 1; d <= band - overlapNeeded; ++d)
        if (previous.rows[size_t(m.top + d)] == next.rows[size_t(m.top)]) shifts.push_back(d);
    std::stable_sort(shifts.begin(), shifts.end(), [&](int a, int b) {
        return std::abs(a - expectedShift) < std::abs(b - expectedShift);
    });
    for (int d : shifts) {
        if (overlapHolds(previous, next, m.top, end - d, d)) {
            m.found = true;
            m.shift = d;
            return m;
        }
    }
    return m;
}

} // namespace kv
