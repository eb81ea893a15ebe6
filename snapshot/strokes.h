#pragma once

// What every stroke shares: pen widths, the arrow's head length, inside the selection.
#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;

namespace kv {

// Head length of every arrow the editor draws, in pixels.
constexpr float kArrowHeadLength = 10.0f;

// Width in pixels drawn by pen-size button `sizeButton`: 1, 4 or 6 for buttons 0, 1, 2.
int penWidthOf(int sizeButton);

// Whether (x, y) lies strictly inside the selection; its outline does not count.
bool strictlyInside(const QRectF& selection, QPointF point);

// The point moved onto the selection's border on every side it lies beyond; a point
// inside stays where it is. The far edges are at left + width and top + height.
QPointF clipToSelection(const QRectF& selection, QPointF point);

// Stroke painters. Each draws one figure in `colour` with a solid pen of `width`
// pixels; one-pixel figures are drawn without smoothing so that they are exact.

// The outline of the rectangle with the corners `from` and `to`, both corners included.
void drawRectangleStroke(QPainter& painter, QPointF from, QPointF to, int width,
                         const QColor& colour);
// The outline of the ellipse inside the bounding box with the whole-pixel corners
// `from` and `to`; as on the classic desktop, the box's far row and column lie outside.
void drawEllipseStroke(QPainter& painter, QPoint from, QPoint to, int width, const QColor& colour);
// One straight brush segment with round ends, so that consecutive segments join smoothly.
void drawBrushSegment(QPainter& painter, QPointF from, QPointF to, int width, const QColor& colour);

} // namespace kv
