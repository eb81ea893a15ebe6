#pragma once

// The selection's geometry, as plain functions: rubber band, handles, moves, tool-bar
// place.
#include "platform/monitors.h"

#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <Qt>
#include <array>

namespace kv {

// The selection as the outline shows it: single-precision editor pixels, never a
// negative width or height.
struct SelBox {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    float right() const { return left + width; }
    float bottom() const { return top + height; }
    bool operator==(const SelBox&) const = default;
};

// The selection rounded to whole pixels; right and bottom are exclusive.
struct SelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    bool operator==(const SelRect&) const = default;
};

// Each edge rounded on its own (halves to even), so right = round(left + width).
SelRect selRectOf(const SelBox& box);

// Strictly inside, on the unrounded values: the outline itself is outside.
bool strictlyInside(const SelBox& box, float x, float y);

// The rubber band from anchor (ax, ay) to the pointer; a pointer on the anchor's row or
// column leaves the band as it was.
SelBox rubberBand(const SelBox& current, float ax, float ay, float x, float y);

// ---- handles ----
constexpr int kHandleSize = 4; // w = h = 4 pixels
constexpr int kHandleCount = 8;

// Top-left corner of each handle, centred on its corner or edge midpoint:
// 0 top-left, 1 top-middle, 2 top-right, 3 left-middle, 4 bottom-left,
// 5 bottom-middle, 6 bottom-right, 7 right-middle.
std::array<QPointF, kHandleCount> handlePositions(const SelBox& box);

// The two-way pointer shown over handle i.
Qt::CursorShape handleCursor(int index);

// Edges of the selection at the moment a handle was pressed.
struct PressEdges {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
};

// The selection after handle i has been dragged so that its top-left corner is at the
// pointer. A shape with a negative width or height is refused: the current selection is
// returned unchanged (a handle never flips the selection over).
SelBox resizeByHandle(int index, const SelBox& current, const PressEdges& press, QPoint pointer);

// The selection moved by the distance the pointer travelled since the press, kept whole
// inside the desktop's rectangle (the one round every monitor).
SelBox moveSelection(const SelBox& current, QPointF origin, QPointF down, QPointF pointer,
                     const QRect& desktop);

// The monitor the bars of a selection stand on: the one that holds the selection's
// bottom-right pixel, or the nearest one when that pixel lies on none (between
// monitors of different heights).
QRect barMonitor(const SelBox& box, const Monitors& monitors);

// Where the tool bar goes on `monitor`: below the selection, right edges aligned, 4
// pixels from it; inside its bottom edge when there is no room below; never past the
// monitor's left edge. A selection that reaches past the monitor (across a seam, or
// off a shorter monitor) still gets its bar on the monitor.
QPointF placeToolBar(const SelBox& box, QSizeF toolBar, const QRect& monitor);

// ---- read-outs ----
// "区域大小:" with the shortest decimal form of each single-precision value.
QString sizeText(float width, float height);
// Splits a colour value 0x00BBGGRR (red in the low byte), truncating division; the
// invalid value -1 gives (-1, 0, 0).
void GetRGB(int colour, int& red, int& green, int& blue);
// "当前RGB:(r,g,b)".
QString colourText(int colour);

} // namespace kv
