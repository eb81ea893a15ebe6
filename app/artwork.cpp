// Kolvane's artwork drawn in code: banner, title-bar buttons, tab icons, dropper icon,
// capture cube.
#include "app/artwork.h"
#include "app/programicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace kv::artwork {
namespace {

const QColor kAccent(30, 144, 255); // the program's blue, RGB(30,144,255)
const QColor kAccentDark(16, 96, 190);
const QColor kPaleBlue(232, 243, 255);

QImage blank(QSize size, bool transparent) {
    QImage img(size, transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    img.fill(transparent ? Qt::transparent : Qt::white);
    return img;
}

QPolygonF hexagon(QPointF centre, double radius, double rotationDeg) {
    QPolygonF poly;
    for (int i = 0; i < 6; ++i) {
        const double a = qDegreesToRadians(rotationDeg + 60.0 * i);
        poly << centre + QPointF(radius * std::cos(a), radius * std::sin(a));
    }
    return poly;
}

const QColor kRainbow[7] = {QColor(232, 52, 52), QColor(247, 135, 28), QColor(250, 204, 21),
                            QColor(74, 190, 72), QColor(30, 160, 230), QColor(52, 84, 210),
                            QColor(146, 70, 200)};

QColor shade(QColor c, double factor) {
    auto f = [factor](int v) { return qBound(0, int(v * factor + 0.5), 255); };
    if (factor > 1.0) {
        // Lighten towards white rather than saturating one channel.
        const double t = factor - 1.0;
        auto l = [t](int v) { return qBound(0, int(v + (255 - v) * t + 0.5), 255); };
        return QColor(l(c.red()), l(c.green()), l(c.blue()));
    }
    return QColor(f(c.red()), f(c.green()), f(c.blue()));
}

// Paints a face of the cube: a parallelogram from `origin` along `u` and `v`,
// striped across `u` with the rainbow.
void paintFace(QPainter& p, QPointF origin, QPointF u, QPointF v, double light,
               bool stripesAlongU) {
    p.save();
    p.setTransform(QTransform(u.x(), u.y(), v.x(), v.y(), origin.x(), origin.y()), true);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        const double a = i / 7.0, b = (i + 1) / 7.0 + 0.002;
        const QRectF band = stripesAlongU ? QRectF(0, a, 1, b - a) : QRectF(a, 0, b - a, 1);
        p.setBrush(shade(kRainbow[i], light));
        p.drawRect(band);
    }
    // Gloss: a soft white sheen from one corner.
    QLinearGradient gloss(QPointF(0, 0), QPointF(0.9, 0.9));
    gloss.setColorAt(0.0, QColor(255, 255, 255, 150));
    gloss.setColorAt(0.45, QColor(255, 255, 255, 40));
    gloss.setColorAt(0.46, QColor(255, 255, 255, 0));
    p.setBrush(gloss);
    p.drawRect(QRectF(0, 0, 1, 1));
    p.restore();
}

} // namespace

QImage Banner(QSize size, double scale) {
    QImage img = blank(size, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in the design's pixels, at the scale: every line and cell lands on the
    // screen's own pixels rather than being enlarged afterwards.
    p.scale(scale, scale);
    const QSizeF designed = QSizeF(size) / scale;
    QLinearGradient g(0, 0, 0, designed.height());
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, kPaleBlue);
    p.fillRect(QRectF(QPointF(0, 0), designed), g);
    // A faint honeycomb drifting in from the right, echoing the colour wheel.
    p.setPen(QPen(QColor(196, 222, 248), 1));
    p.setBrush(Qt::NoBrush);
    const double r = 7.0;
    const double w = r * std::sqrt(3.0);
    for (int row = -1; row < 4; ++row) {
        for (int col = 0; col < 16; ++col) {
            const double x = designed.width() - 330 + col * w + (row % 2 ? w / 2 : 0);
            const double y = row * r * 1.5 + 4;
            const double fade = qBound(0.0, (x - (designed.width() - 330)) / 150.0, 1.0);
            QColor c(196, 222, 248);
            c.setAlphaF(0.25 + 0.6 * fade);
            p.setPen(QPen(c, 1));
            p.drawPolygon(hexagon(QPointF(x, y), r, 30));
        }
    }
    p.setPen(QPen(QColor(170, 205, 240), 1));
    p.drawLine(QPointF(0, designed.height() - 0.5),
               QPointF(designed.width(), designed.height() - 0.5));
    return img;
}

QImage ProgramIcon(int size, double scale) {
    // The icon's own shape at the larger size: its lines snap to the screen's pixels.
    return paintProgramIcon(programIconShape(int(std::lround(size * scale))));
}

QImage TitleButton(int state, double scale) {
    QImage img = blank(QSize(20, 20) * scale, false);
    QPainter p(&img);
    p.scale(scale, scale);
    // Drawn on the banner's own colours so the resting button blends in.
    QLinearGradient g(0, 0, 0, 20);
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(240, 247, 255));
    p.fillRect(QRectF(0, 0, 20, 20), g);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 0.5, 19, 19);
    if (state == 0) {
        p.setPen(QPen(QColor(200, 224, 248), 1));
        p.setBrush(Qt::NoBrush);
    } else if (state == 1) {
        QLinearGradient h(0, 0, 0, 20);
        h.setColorAt(0, QColor(240, 248, 255));
        h.setColorAt(1, QColor(204, 230, 255));
        p.setPen(QPen(kAccent, 1));
        p.setBrush(h);
    } else {
        QLinearGradient d(0, 0, 0, 20);
        d.setColorAt(0, QColor(184, 216, 250));
        d.setColorAt(1, QColor(214, 234, 255));
        p.setPen(QPen(kAccentDark, 1));
        p.setBrush(d);
    }
    p.drawRoundedRect(box, 3, 3);
    return img;
}

QImage DropperIcon(double scale) {
    QImage img = blank(QSize(32, 32) * scale, true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    // The tool lies diagonally: tip at the lower left, bulb at the upper right.
    p.translate(kDropperHotX + 0.5, kDropperHotY + 0.5);
    p.rotate(-45);
    const QColor outline(40, 52, 70);
    // Glass tube with a drop of colour near the tip.
    QPainterPath tube;
    tube.moveTo(0, 0);
    tube.lineTo(6, -2.2);
    tube.lineTo(20, -2.6);
    tube.lineTo(20, 2.6);
    tube.lineTo(6, 2.2);
    tube.closeSubpath();
    p.setPen(QPen(outline, 1.1));
    p.setBrush(QColor(225, 240, 252));
    p.drawPath(tube);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF() << QPointF(1.5, 0) << QPointF(7, -1.6) << QPointF(11, -1.6)
                              << QPointF(11, 1.6) << QPointF(7, 1.6));
    // Collar and rubber bulb.
    p.setPen(QPen(outline, 1.1));
    p.setBrush(QColor(120, 130, 145));
    p.drawRect(QRectF(19.5, -4, 3.5, 8));
    QLinearGradient bulb(24, -5, 24, 5);
    bulb.setColorAt(0, QColor(90, 170, 255));
    bulb.setColorAt(1, kAccentDark);
    p.setBrush(bulb);
    p.drawRoundedRect(QRectF(23, -4.8, 15, 9.6), 4.5, 4.5);
    p.setPen(QPen(QColor(255, 255, 255, 170), 1.2));
    p.drawLine(QPointF(26, -2.6), QPointF(34, -2.6));
    return img;
}

QImage ColourTabIcon(int size) {
    QImage img = blank(QSize(size, size), true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 48.0;
    p.scale(s, s);
    // Three overlapping light circles: red, green, blue mixing to white.
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QPointF centres[3] = {QPointF(18, 19), QPointF(30, 19), QPointF(24, 30)};
    const QColor colours[3] = {QColor(240, 70, 70, 200), QColor(70, 200, 90, 200),
                               QColor(50, 120, 245, 200)};
    for (int i = 0; i < 3; ++i) {
        p.setPen(QPen(colours[i].darker(130), 1.2));
        p.setBrush(colours[i]);
        p.drawEllipse(centres[i], 11, 11);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawEllipse(QPointF(24, 23), 3.2, 3.2);
    return img;
}

QImage CaptureTabIcon(int size) {
    QImage img = blank(QSize(size, size), true);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size / 48.0;
    p.scale(s, s);
    // A monitor with a dashed selection and crop corners.
    p.setPen(QPen(QColor(60, 72, 92), 2));
    p.setBrush(QColor(236, 245, 255));
    p.drawRoundedRect(QRectF(5, 7, 38, 27), 3, 3);
    p.setBrush(QColor(60, 72, 92));
    p.drawRect(QRectF(21, 34, 6, 4));
    p.drawRoundedRect(QRectF(14, 38, 20, 3), 1.5, 1.5);
    QPen dash(kAccent, 1.6, Qt::DashLine);
    p.setPen(dash);
    p.setBrush(QColor(30, 144, 255, 40));
    p.drawRect(QRectF(13, 13, 20, 14));
    p.setPen(QPen(kAccentDark, 2.4, Qt::SolidLine, Qt::SquareCap));
    auto corner = [&p](QPointF at, double dx, double dy) {
        p.drawLine(at, at + QPointF(dx, 0));
        p.drawLine(at, at + QPointF(0, dy));
    };
    corner(QPointF(11, 11), 5, 5);
    corner(QPointF(35, 29), -5, -5);
    return img;
}

QImage CaptureCube(QSize size) {
    QImage img = blank(size, false);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double k = std::min(size.width() / 401.0, size.height() / 257.0);
    const QPointF c(size.width() / 2.0, 128 * k);
    const QPointF a(-95 * k, -55 * k), b(95 * k, -55 * k), v(0, 110 * k);

    // Soft shadow on the white floor.
    QRadialGradient shadow(QPointF(c.x(), c.y() + v.y() + 4 * k), 150 * k);
    shadow.setColorAt(0, QColor(0, 40, 90, 70));
    shadow.setColorAt(1, QColor(0, 40, 90, 0));
    p.save();
    p.translate(c.x(), c.y() + v.y() + 2 * k);
    p.scale(1.0, 0.12);
    p.translate(-c.x(), -(c.y() + v.y() + 2 * k));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(c.x(), c.y() + v.y() + 2 * k), 150 * k, 150 * k);
    p.restore();

    paintFace(p, c + a, b, -a, 1.25, false); // top: stripes run front to back
    paintFace(p, c + a, -a, v, 1.0, true);   // left: horizontal bands
    paintFace(p, c, b, v, 0.78, true);       // right: horizontal bands, in shade

    // Bright edges make the cube read as glass.
    p.setPen(QPen(QColor(255, 255, 255, 220), 1.6 * k));
    p.setBrush(Qt::NoBrush);
    p.drawLine(c, c + a);
    p.drawLine(c, c + b);
    p.drawLine(c, c + v);
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.0 * k));
    p.drawPolygon(QPolygonF() << c + a << c + a + b << c + b << c + b + v << c + v << c + a + v);
    return img;
}

QPoint DropperHotSpot(double scale) {
    // The tip is the corner of the hot pixel at scale 1; at a larger scale it is the
    // screen pixel just above and right of the same point.
    return QPoint(int(std::floor((kDropperHotX + 0.5) * scale)),
                  int(std::ceil((kDropperHotY + 0.5) * scale)) - 1);
}

} // namespace kv::artwork
