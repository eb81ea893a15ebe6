// Icons of the second bar's actions: a pin, a text frame, a tall page.
#include "snapshot/actionicons.h"

#include "snapshot/editorstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace kv {

namespace {
const QColor kInk(43, 74, 111);
const QColor kPin(214, 52, 52);
} // namespace

// A push pin leaning to the left: a red head and a grey needle.
void paintPinIcon(QPainter& p) {
    p.setPen(QPen(QColor(110, 110, 120), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(7.5, 8.5), QPointF(2.5, 13.5));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kPin);
    QPainterPath head;
    head.moveTo(6.0, 6.5);
    head.lineTo(9.5, 10.0);
    head.lineTo(13.5, 6.0);
    head.lineTo(10.0, 2.5);
    head.closeSubpath();
    p.drawPath(head);
    p.drawLine(QPointF(5.0, 5.5), QPointF(10.5, 11.0));
}

// Corner marks of a scanned area round a bold letter.
void paintRecogniseIcon(QPainter& p) {
    p.setPen(QPen(kBarHoverFrame, 1.0, Qt::SolidLine, Qt::SquareCap));
    const double a = 1.5, b = 14.5, l = 3.0;
    p.drawLine(QPointF(a, a), QPointF(a + l, a));
    p.drawLine(QPointF(a, a), QPointF(a, a + l));
    p.drawLine(QPointF(b, a), QPointF(b - l, a));
    p.drawLine(QPointF(b, a), QPointF(b, a + l));
    p.drawLine(QPointF(a, b), QPointF(a + l, b));
    p.drawLine(QPointF(a, b), QPointF(a, b - l));
    p.drawLine(QPointF(b, b), QPointF(b - l, b));
    p.drawLine(QPointF(b, b), QPointF(b, b - l));
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(4.5, 4.8), QPointF(11.5, 4.8));
    p.drawLine(QPointF(8.0, 4.8), QPointF(8.0, 11.8));
}

// A tall page with lines of text and an arrow down its side.
void paintLongCaptureIcon(QPainter& p) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawRect(QRectF(2.5, 0.5, 7, 15));
    p.setPen(QPen(QColor(150, 160, 180), 1.0));
    for (double y = 3.5; y < 14; y += 3)
        p.drawLine(QPointF(4.0, y), QPointF(8.0, y));
    p.setPen(QPen(kBarHoverFrame, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(12.5, 2.5), QPointF(12.5, 13.0));
    p.drawLine(QPointF(10.5, 11.0), QPointF(12.5, 13.0));
    p.drawLine(QPointF(14.5, 11.0), QPointF(12.5, 13.0));
}

} // namespace kv
