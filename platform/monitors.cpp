#include "platform/monitors.h"

#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <limits>

namespace kv {

Monitors Monitors::single(const QRect& root) {
    Monitors m;
    m.root = root;
    m.list.push_back({root, 1.0});
    return m;
}

QRect Monitors::desktop() const {
    QRect all;
    for (const Monitor& m : list)
        all = all.united(m.rect);
    return all.isEmpty() ? root : all;
}

QRect Monitors::primaryRect() const {
    if (primary >= 0 && primary < int(list.size())) return list[std::size_t(primary)].rect;
    return desktop();
}

int Monitors::indexAt(QPoint p) const {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].rect.contains(p)) return int(i);
    return -1;
}

namespace {
// Squared distance from a pixel to the nearest pixel of a rectangle.
qint64 distance2(QPoint p, const QRect& r) {
    const qint64 dx = p.x() < r.left() ? r.left() - p.x() : std::max(0, p.x() - r.right());
    const qint64 dy = p.y() < r.top() ? r.top() - p.y() : std::max(0, p.y() - r.bottom());
    return dx * dx + dy * dy;
}
} // namespace

int Monitors::nearestIndex(QPoint p) const {
    int best = -1;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].rect.isEmpty()) continue;
        const qint64 d = distance2(p, list[i].rect);
        if (d < bestDistance) {
            best = int(i);
            bestDistance = d;
        }
    }
    return best;
}

QRect Monitors::monitorFor(QPoint p) const {
    const int i = nearestIndex(p);
    return i < 0 ? desktop() : list[std::size_t(i)].rect;
}

void blackOutsideMonitors(QImage& picture, QPoint origin, const Monitors& monitors) {
    if (picture.isNull() || monitors.list.empty()) return;
    const QRect area(origin, picture.size());
    QRegion dead(area);
    for (const Monitor& m : monitors.list)
        dead -= m.rect;
    if (dead.isEmpty()) return;
    QPainter p(&picture);
    p.translate(-origin);
    for (const QRect& r : dead)
        p.fillRect(r, Qt::black);
}

QPoint clampInto(QPoint p, const QRect& r) {
    if (r.isEmpty()) return p;
    return {std::clamp(p.x(), r.left(), r.right()), std::clamp(p.y(), r.top(), r.bottom())};
}

} // namespace kv
