// Kolvane's program icon drawn from one description, as pixels and as SVG.
#include "app/programicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>
#include <cmath>

namespace kv::artwork {
namespace {

const QColor kRim(16, 96, 190);

// The convex polygon moved inwards by `distance` on every side.
QPolygonF inset(const QPolygonF& poly, double distance) {
    const int n = int(poly.size());
    std::vector<QLineF> sides;
    for (int i = 0; i < n; ++i) {
        const QLineF side(poly[i], poly[(i + 1) % n]);
        // Clockwise on screen (y down): the inside lies to the right of each side.
        const QLineF normal = side.normalVector();
        const QPointF shift = -(normal.p2() - normal.p1()) / side.length() * distance;
        sides.push_back(side.translated(shift));
    }
    QPolygonF out;
    for (int i = 0; i < n; ++i) {
        QPointF corner;
        sides[(i + n - 1) % n].intersects(sides[i], &corner);
        out << corner;
    }
    return out;
}

QString svgPoints(const QPolygonF& poly) {
    QStringList points;
    for (const QPointF& p : poly)
        points << QStringLiteral("%1,%2").arg(p.x(), 0, 'f', 2).arg(p.y(), 0, 'f', 2);
    return points.join(QLatin1Char(' '));
}

} // namespace

ProgramIconShape programIconShape(int size) {
    ProgramIconShape s;
    s.size = size;
    // A regular hexagon as tall as the picture is 0.866 of it wide; the sides are
    // put on the nearest whole pixels, the same distance in from either edge.
    const double margin = std::round(size * (1 - std::sqrt(3.0) / 2) / 2);
    const double left = margin, right = size - margin, mid = size / 2.0;
    s.rim = QPolygonF({{mid, 0.0},
                       {right, size / 4.0},
                       {right, size * 3 / 4.0},
                       {mid, double(size)},
                       {left, size * 3 / 4.0},
                       {left, size / 4.0}});
    const double rimWidth = std::max(1.0, std::round(size / 28.0));
    s.wheel = inset(s.rim, rimWidth);
    s.centre = QPointF(mid, mid);
    s.heartRadius = (right - left) / 2 * 0.5;
    s.cornerColours = {QColor(232, 52, 52),  QColor(250, 204, 21), QColor(74, 190, 72),
                       QColor(30, 200, 220), QColor(30, 110, 240), QColor(170, 60, 210)};
    return s;
}

QImage paintProgramIcon(const ProgramIconShape& s) {
    const int size = int(s.size);
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRim);
    p.drawPolygon(s.rim);

    // The six coloured wedges are drawn a little too large and without smoothing,
    // so no seam shows between them, then cut to the wheel with a smooth edge.
    QImage wedges(img.size(), QImage::Format_ARGB32_Premultiplied);
    wedges.fill(Qt::transparent);
    QPainter w(&wedges);
    w.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const QPointF a = s.rim[i], b = s.rim[(i + 1) % 6];
        const QPointF far = s.centre + (a - s.centre) * 1.2, far2 = s.centre + (b - s.centre) * 1.2;
        QLinearGradient g(a, b);
        g.setColorAt(0, s.cornerColours[i]);
        g.setColorAt(1, s.cornerColours[(i + 1) % 6]);
        w.setBrush(g);
        w.drawPolygon(QPolygonF({s.centre, far, far2}));
    }
    // The cut is a whole picture, so that what lies outside the wheel goes too.
    QImage mask(img.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter m(&mask);
    m.setRenderHint(QPainter::Antialiasing);
    m.setPen(Qt::NoPen);
    m.setBrush(Qt::black);
    m.drawPolygon(s.wheel);
    m.end();
    w.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    w.drawImage(0, 0, mask);
    w.end();
    p.drawImage(0, 0, wedges);

    QRadialGradient heart(s.centre, s.heartRadius);
    heart.setColorAt(0, Qt::white);
    heart.setColorAt(0.6, QColor(255, 255, 255, 200));
    heart.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(heart);
    p.drawEllipse(s.centre, s.heartRadius, s.heartRadius);
    return img;
}

namespace {

// The clip of the wheel, a gradient along each rim side and the heart's glow.
QString svgDefinitions(const ProgramIconShape& s) {
    QString defs =
        QStringLiteral("  <defs>\n"
                       "    <clipPath id=\"wheel\"><polygon points=\"%1\"/></clipPath>\n")
            .arg(svgPoints(s.wheel));
    for (int i = 0; i < 6; ++i) {
        const QPointF a = s.rim[i], b = s.rim[(i + 1) % 6];
        defs += QStringLiteral("    <linearGradient id=\"w%1\" gradientUnits=\"userSpaceOnUse\" "
                               "x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">"
                               "<stop offset=\"0\" stop-color=\"%6\"/>"
                               "<stop offset=\"1\" stop-color=\"%7\"/></linearGradient>\n")
                    .arg(i)
                    .arg(a.x())
                    .arg(a.y())
                    .arg(b.x())
                    .arg(b.y())
                    .arg(s.cornerColours[i].name(), s.cornerColours[(i + 1) % 6].name());
    }
    defs += QStringLiteral("    <radialGradient id=\"heart\" gradientUnits=\"userSpaceOnUse\" "
                           "cx=\"%1\" cy=\"%2\" r=\"%3\">"
                           "<stop offset=\"0\" stop-color=\"#ffffff\"/>"
                           "<stop offset=\"0.6\" stop-color=\"#ffffff\" stop-opacity=\"0.78\"/>"
                           "<stop offset=\"1\" stop-color=\"#ffffff\" stop-opacity=\"0\"/>"
                           "</radialGradient>\n  </defs>\n")
                .arg(s.centre.x())
                .arg(s.centre.y())
                .arg(s.heartRadius);
    return defs;
}

} // namespace

QByteArray programIconSvg() {
    const ProgramIconShape s = programIconShape(256);
    QString svg =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                       "viewBox=\"0 0 256 256\">\n");
    svg += svgDefinitions(s);
    svg +=
        QStringLiteral("  <polygon points=\"%1\" fill=\"%2\"/>\n  <g clip-path=\"url(#wheel)\">\n")
            .arg(svgPoints(s.rim), kRim.name());
    for (int i = 0; i < 6; ++i) {
        const QPointF far = s.centre + (s.rim[i] - s.centre) * 1.2;
        const QPointF far2 = s.centre + (s.rim[(i + 1) % 6] - s.centre) * 1.2;
        // The stroke in the wedge's own paint closes the hairline seam renderers
        // leave between neighbouring shapes.
        svg += QStringLiteral("    <polygon points=\"%1\" fill=\"url(#w%2)\" stroke=\"url(#w%2)\" "
                              "stroke-width=\"1\"/>\n")
                   .arg(svgPoints(QPolygonF({s.centre, far, far2})))
                   .arg(i);
    }
    svg += QStringLiteral("  </g>\n  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"url(#heart)\"/>\n"
                          "</svg>\n")
               .arg(s.centre.x())
               .arg(s.centre.y())
               .arg(s.heartRadius);
    return svg.toUtf8();
}

} // namespace kv::artwork
