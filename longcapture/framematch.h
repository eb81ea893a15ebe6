#pragma once

// How two pictures of one screen rectangle, taken before and after a scroll, line up.
#include <QImage>
#include <QtGlobal>
#include <vector>

namespace kv {

// A picture with its row hashes (rowhashes.h), taken once and compared many times.
// Only its first `width` columns count.
struct HashedFrame {
    QImage picture;
    std::vector<quint64> rows;
    int width = 0;
    // `width` 0: the whole width.
    static HashedFrame of(const QImage& picture, int width = 0);
};

struct FrameMatch {
    // Whether the frames line up at all. False when something changed that is not a
    // scroll (an animation), or the page moved further than one frame shows.
    bool found = false;
    // Rows at the top and the bottom that did not move (a sticky header or footer
    // inside the rectangle, or rows that look the same before and after).
    int top = 0;
    int bottom = 0;
    // How many rows the part between them moved up; 0 when nothing moved.
    int shift = 0;
};

// Finds how `next` continues `previous` (same size): the rows that stayed put at the
// top and bottom, and the exact upward shift of the rows between, confirmed pixel for
// pixel over the whole overlap. Where several shifts fit (repeating content), the one
// closest to `expectedShift` wins, then the smallest. The overlap must be at least
// `minOverlap` rows, or half the moving part when that is smaller.
FrameMatch matchFrames(const HashedFrame& previous, const HashedFrame& next, int expectedShift = 0,
                       int minOverlap = 16);

} // namespace kv
