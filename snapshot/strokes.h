#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

namespace kv {

// The drawing tools. The editor names its current tool by the tip text of the tool
// button that armed it; these are those texts.
inline const QString kArrowTool = QStringLiteral("箭头工具");
inline const QString kTextTool = QStringLiteral("文字工具");
inline const QString kEllipseTool = QStringLiteral("椎圆工具");
inline const QString kRectangleTool = QStringLiteral("矩形工具");
inline const QString kBrushTool = QStringLiteral("画刷工具");

// Head length of every arrow the editor draws, in pixels.
constexpr float kArrowHeadLength = 10.0f;

// The pen-size slot a tool remembers its size in: 0 ellipse, 1 rectangle, 2 brush;
// -1 for tools without a pen size (arrow, text) and for no tool.
int penSlotOf(const QString& toolName);

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
