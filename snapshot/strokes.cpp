// Pen widths and the inside-the-selection test of the strokes.
#include "snapshot/strokes.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace kv {

int penWidthOf(int sizeButton) {
    return sizeButton <= 0 ? 1 : 2 * (sizeButton + 1);
}

bool strictlyInside(const QRectF& selection, QPointF point) {
    const double l = selection.left(), t = selection.top();
    return l < point.x() && point.x() < l + selection.width() && t < point.y() &&
           point.y() < t + selection.height();
}

QPointF clipToSelection(const QRectF& selection, QPointF point) {
    const double l = selection.left(), t = selection.top();
    const double r = l + selection.width(), b = t + selection.height();
    double x = point.x(), y = point.y();
    if (x > r)
        x = r;
    else if (x < l)
        x = l;
    if (y > b)
        y = b;
    else if (y < t)
        y = t;
    return {x, y};
}

namespace {

// Sets up a solid pen; wide pens are smoothed, hair lines stay exact pixels.
void preparePen(QPainter& painter, int width, const QColor& colour, Qt::PenCapStyle cap,
                Qt::PenJoinStyle join) {
    QPen pen(colour);
    pen.setWidth(std::max(1, width));
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(cap);
    pen.setJoinStyle(join);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, width > 1);
}

} // namespace

void drawRectangleStroke(QPainter& painter, QPointF from, QPointF to, int width,
                         const QColor& colour) {
    painter.save();
    preparePen(painter, width, colour, Qt::SquareCap, Qt::MiterJoin);
    const QRectF box = QRectF(from, to).normalized();
    if (box.width() == 0 && box.height() == 0)
        painter.drawPoint(box.topLeft());
    else if (box.width() == 0 || box.height() == 0)
        painter.drawLine(box.topLeft(), box.bottomRight());
    else
        painter.drawRect(box);
    painter.restore();
}

void drawEllipseStroke(QPainter& painter, QPoint from, QPoint to, int width, const QColor& colour) {
    const int left = std::min(from.x(), to.x()), right = std::max(from.x(), to.x());
    const int top = std::min(from.y(), to.y()), bottom = std::max(from.y(), to.y());
    // An empty box has no ellipse in it.
    if (right - left < 1 || bottom - top < 1) return;
    painter.save();
    preparePen(painter, width, colour, Qt::RoundCap, Qt::RoundJoin);
    if (width <= 1) {
        // A hair line covers the pixels from the outline's left and top to its right
        // and bottom inclusive, so the outline runs one pixel short of the far edges.
        painter.drawEllipse(QRectF(left, top, right - left - 1, bottom - top - 1));
    } else {
        // Wide pens are centred on the outline through the middle of the box's pixels.
        painter.drawEllipse(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1));
    }
    painter.restore();
}

void drawBrushSegment(QPainter& painter, QPointF from, QPointF to, int width,
                      const QColor& colour) {
    painter.save();
    preparePen(painter, width, colour, Qt::RoundCap, Qt::RoundJoin);
    painter.drawLine(from, to);
    painter.restore();
}

} // namespace kv
