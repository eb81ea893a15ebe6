// The arrow head's geometry.
#include "snapshot/arrow.h"

#include <QPainter>
#include <cmath>

namespace kv {

std::optional<ArrowBarbs> arrowBarbs(float x0, float y0, float x1, float y1, float headLength) {
    const float dx = x1 - x0;
    const float dy = y1 - y0;
    const double length = std::sqrt(double(dx * dx + dy * dy));
    if (length <= 1e-10) return std::nullopt;

    // (a, b) points from the tip back to the tail; rotating it a quarter turn either
    // way and halving it gives the sideways part of each barb.
    const double a = double(x0 - x1);
    const double b = double(y0 - y1);
    const double len = headLength;
    ArrowBarbs barbs;
    barbs.first =
        QPointF(float(x1 + (a + b / 2) * len / length), float(y1 + (b - a / 2) * len / length));
    barbs.second =
        QPointF(float(x1 + (a - b / 2) * len / length), float(y1 + (b + a / 2) * len / length));
    return barbs;
}

void drawArrow(QPainter& painter, float x0, float y0, float x1, float y1, float headLength,
               const QColor& colour) {
    const auto barbs = arrowBarbs(x0, y0, x1, y1, headLength);
    if (!barbs) return;
    painter.save();
    // Arrows are always drawn with a one-pixel pen, unsmoothed like every hair line.
    painter.setPen(QPen(colour, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    const QPointF tip(x1, y1);
    painter.drawLine(barbs->first, tip);
    painter.drawLine(barbs->second, tip);
    painter.drawLine(QPointF(x0, y0), tip);
    painter.restore();
}

} // namespace kv
