#pragma once

// Where the long capture's frame and panel go: around and beside the selection, never
// over it, so that they never appear in what is read.
#include "platform/monitors.h"

#include <QRect>
#include <QSize>
#include <array>

namespace kv {

// The frame's width in pixels; it lies outside the selection.
constexpr int kLongFrameWidth = 2;

// The four strips of the frame around `selection`: top, bottom, left, right.
std::array<QRect, 4> frameStrips(const QRect& selection, int width = kLongFrameWidth);

// Where a panel of `size` goes on `monitor`: beside the selection and its frame (to the
// right, else the left, below, above), `gap` pixels away, kept on the monitor. Where
// none of these has room, the monitor's bottom-right corner, which then lies over the
// selection (`overSelection` says so).
struct PanelPlace {
    QRect rect;
    bool overSelection = false;
};
PanelPlace placePanel(const QSize& size, const QRect& selection, const QRect& monitor, int gap = 8);
// The same on the selection's monitor first, then on each other one.
PanelPlace placePanel(const QSize& size, const QRect& selection, const Monitors& monitors);

} // namespace kv
