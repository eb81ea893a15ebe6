#include "longcapture/placement.h"

#include <algorithm>

namespace kv {

std::array<QRect, 4> frameStrips(const QRect& s, int w) {
    return {QRect(s.left() - w, s.top() - w, s.width() + 2 * w, w),
            QRect(s.left() - w, s.bottom() + 1, s.width() + 2 * w, w),
            QRect(s.left() - w, s.top(), w, s.height()),
            QRect(s.right() + 1, s.top(), w, s.height())};
}

PanelPlace placePanel(const QSize& size, const QRect& selection, const QRect& monitor, int gap) {
    const QRect keepOff =
        selection.adjusted(-kLongFrameWidth, -kLongFrameWidth, kLongFrameWidth, kLongFrameWidth);
    // Along the side it stands beside, the panel lines up with the selection's start
    // and slides back onto the monitor where it would leave it.
    auto along = [](int start, int length, int low, int high) {
        return std::clamp(start, low, std::max(low, high - length + 1));
    };
    const int y = along(keepOff.top(), size.height(), monitor.top(), monitor.bottom());
    const int x = along(keepOff.left(), size.width(), monitor.left(), monitor.right());
    const QRect candidates[] = {
        QRect(QPoint(keepOff.right() + 1 + gap, y), size),
        QRect(QPoint(keepOff.left() - gap - size.width(), y), size),
        QRect(QPoint(x, keepOff.bottom() + 1 + gap), size),
        QRect(QPoint(x, keepOff.top() - gap - size.height()), size),
    };
    for (const QRect& r : candidates)
        if (monitor.contains(r) && !r.intersects(keepOff)) return {r, false};
    const QRect corner(monitor.bottomRight() - QPoint(size.width() - 1, size.height() - 1), size);
    return {corner, corner.intersects(keepOff)};
}

PanelPlace placePanel(const QSize& size, const QRect& selection, const Monitors& monitors) {
    const QRect home = monitors.monitorFor(selection.center());
    const PanelPlace first = placePanel(size, selection, home);
    if (!first.overSelection) return first;
    for (const Monitor& m : monitors.list) {
        if (m.rect == home) continue;
        const PanelPlace other = placePanel(size, selection, m.rect);
        if (!other.overSelection) return other;
    }
    return first;
}

} // namespace kv
