#pragma once

// The geometry of the arrow tool's barbed head, as a plain function.
#include <QColor>
#include <QPointF>
#include <optional>

class QPainter;

namespace kv {

// The two barb ends of an arrow head. Each lies `headLength` back along the shaft
// from the tip and half of that to one side, so the head opens at about 26.57
// degrees on either side of the shaft.
struct ArrowBarbs {
    QPointF first;
    QPointF second;
};

// The barb ends for the arrow from the tail (x0, y0) to the tip (x1, y1); nothing
// for an arrow without length, which has no direction to draw a head along.
std::optional<ArrowBarbs> arrowBarbs(float x0, float y0, float x1, float y1, float headLength);

// Draws the arrow with a one-pixel pen: the first barb, the second
// barb, then the shaft, each ending at the tip. An arrow without length draws nothing.
void drawArrow(QPainter& painter, float x0, float y0, float x1, float y1, float headLength,
               const QColor& colour);

} // namespace kv
