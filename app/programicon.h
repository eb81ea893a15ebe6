#pragma once

// Kolvane's program icon, as pixel pictures and as a scalable SVG.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <array>

class QPainter;

namespace kv::artwork {

// Kolvane's program icon: a hexagonal colour wheel with a white heart inside a dark
// blue rim. One description serves the pixel pictures and the scalable SVG.
struct ProgramIconShape {
    double size = 0;
    QPolygonF rim;   // outer hexagon, pointed at top and bottom
    QPolygonF wheel; // the rim's inside, where the colours are
    QPointF centre;
    double heartRadius = 0;
    std::array<QColor, 6> cornerColours; // from the top corner, clockwise
};

// For a picture of size x size pixels: the hexagon's upright sides and the rim's
// width fall on whole pixels, so the edges stay sharp at 16 px as at 256 px.
ProgramIconShape programIconShape(int size);

QImage paintProgramIcon(const ProgramIconShape& shape);
// The same drawing as an SVG document (256 units square).
QByteArray programIconSvg();

} // namespace kv::artwork
