#include "loupe/placement.h"

#include <algorithm>
#include <array>

namespace kv {

namespace {

// The four places round the hot spot, in the order they are preferred.
std::array<QRect, 4> candidates(QPoint hot, QSize size) {
    const int right = hot.x() + kLoupeOffset;
    const int left = hot.x() - kLoupeOffset - size.width() + 1;
    const int below = hot.y() + kLoupeOffset;
    const int above = hot.y() - kLoupeOffset - size.height() + 1;
    return {QRect(QPoint(right, below), size), QRect(QPoint(left, below), size),
            QRect(QPoint(right, above), size), QRect(QPoint(left, above), size)};
}

// How far a place reaches past the monitor, in pixels on both axes together.
int overflow(const QRect& r, const QRect& monitor) {
    return std::max(0, monitor.left() - r.left()) + std::max(0, r.right() - monitor.right()) +
           std::max(0, monitor.top() - r.top()) + std::max(0, r.bottom() - monitor.bottom());
}

bool clearOf(const QRect& r, const std::vector<QRect>& rects) {
    return std::none_of(rects.begin(), rects.end(),
                        [&](const QRect& k) { return !k.isEmpty() && r.intersects(k); });
}

// Moves `r` inside `monitor` as far as it can; a monitor smaller than `r` keeps
// its top-left corner.
QRect clampInto(QRect r, const QRect& monitor) {
    r.moveLeft(std::max(monitor.left(), std::min(r.left(), monitor.right() - r.width() + 1)));
    r.moveTop(std::max(monitor.top(), std::min(r.top(), monitor.bottom() - r.height() + 1)));
    return r;
}

} // namespace

QRect PlaceLoupe(QPoint hot, QSize size, const QRect& monitor, int sourceRadius,
                 const std::vector<QRect>& keepClear) {
    const QRect source(hot - QPoint(sourceRadius, sourceRadius),
                       QSize(2 * sourceRadius + 1, 2 * sourceRadius + 1));
    const std::array<QRect, 4> places = candidates(hot, size);
    std::vector<QRect> avoid = keepClear;
    avoid.push_back(source);
    for (const QRect& r : places)
        if (overflow(r, monitor) == 0 && clearOf(r, avoid)) return r;
    for (const QRect& r : places)
        if (overflow(r, monitor) == 0 && !r.intersects(source)) return r;
    // A monitor too small for any of the four: the place that reaches out least,
    // pushed back onto the monitor.
    const QRect* best = &places[0];
    for (const QRect& r : places)
        if (overflow(r, monitor) < overflow(*best, monitor)) best = &r;
    return clampInto(*best, monitor);
}

} // namespace kv
