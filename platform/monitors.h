#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

namespace kv {

// One monitor of the desktop: where it shows the desktop's picture, in desktop
// pixels (X: the root window's pixels).
struct Monitor {
    QRect rect;
    // Device pixels per layout pixel as the desktop sets it for this monitor (1 where
    // nothing says otherwise).
    double scale = 1.0;
    bool operator==(const Monitor&) const = default;
};

// The desktop as a set of monitors: a plain value, taken afresh for each capture, so
// that a monitor added, removed or resized since the last one is counted.
struct Monitors {
    // The whole picture the monitors show parts of, from (0, 0) (X: the root window).
    QRect root;
    // In the order the desktop reports them; never overlapping in practice, but
    // nothing here relies on that.
    std::vector<Monitor> list;
    int primary = 0; // index into list

    // One monitor covering the whole of `root`.
    static Monitors single(const QRect& root);

    // The rectangle round every monitor (the root when there is no monitor at all):
    // what a selection is kept inside.
    QRect desktop() const;
    // The primary monitor's rectangle (the desktop's when there is none).
    QRect primaryRect() const;
    // The monitor that holds a pixel, -1 when the pixel lies on none.
    int indexAt(QPoint p) const;
    // The monitor that holds a pixel, or else the one closest to it; -1 without monitors.
    int nearestIndex(QPoint p) const;
    // The rectangle of nearestIndex(p) (the desktop's when there is no monitor).
    QRect monitorFor(QPoint p) const;
    bool operator==(const Monitors&) const = default;
};

// Paints black whatever part of `picture` no monitor shows. The picture shows the
// desktop from `origin` on. A desktop whose monitors leave gaps (monitors of different
// heights side by side) has pixels there that nobody sees; a capture must not pass
// them off as part of the screen.
void blackOutsideMonitors(QImage& picture, QPoint origin, const Monitors& monitors);

// A point moved the shortest way into a rectangle (onto its last row or column at most).
QPoint clampInto(QPoint p, const QRect& rect);

} // namespace kv
