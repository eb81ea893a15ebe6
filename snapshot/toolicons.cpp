// The tool bar's icons, drawn in code.
#include "snapshot/toolicons.h"
#include "snapshot/editorstyle.h"

#include <QPainter>
#include <QPainterPath>

namespace kv {

namespace {

const QColor kInk(43, 74, 111);        // line work
const QColor kAccent = kBarHoverFrame; // the editor's blue
const QColor kPaper(255, 255, 255);    // light fills
const QColor kStop(214, 52, 52);       // leaving
const QColor kDone(38, 156, 74);       // finishing
const QColor kWood(176, 120, 64);      // brush handle

QImage blankIcon(int w = 16, int h = 16) {
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QPen inkPen(const QColor& c, double width, Qt::PenCapStyle cap = Qt::RoundCap) {
    return QPen(c, width, Qt::SolidLine, cap, Qt::RoundJoin);
}

} // namespace

// Straight lines at half pixels with a one-pixel pen land on whole pixels: crisp.
void paintRectangleIcon(QPainter& p) {
    p.setPen(inkPen(kInk, 1.0, Qt::SquareCap));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
}

void paintEllipseIcon(QPainter& p) {
    p.setPen(inkPen(kInk, 1.3));
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
}

void paintArrowIcon(QPainter& p) {
    p.setPen(inkPen(kInk, 1.6));
    p.drawLine(QPointF(3, 13), QPointF(11, 5));
    QPainterPath head;
    head.moveTo(14, 2);
    head.lineTo(6.8, 4.2);
    head.lineTo(11.8, 9.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(head);
}

void paintBrushIcon(QPainter& p) {
    p.setPen(inkPen(kWood, 2.2));
    p.drawLine(QPointF(13.5, 2.5), QPointF(9.6, 6.4));
    p.setPen(inkPen(kInk, 2.6, Qt::FlatCap));
    p.drawLine(QPointF(9.9, 6.1), QPointF(7.9, 8.1));
    QPainterPath tip;
    tip.moveTo(8.6, 8.9);
    tip.cubicTo(6.5, 7.2, 4.0, 8.5, 3.6, 11.0);
    tip.cubicTo(3.4, 12.3, 2.8, 13.2, 1.8, 14.2);
    tip.cubicTo(4.5, 14.4, 8.2, 13.6, 8.6, 8.9);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPath(tip);
}

void paintTextIcon(QPainter& p) {
    // A letter A drawn from strokes, so it looks the same whatever fonts exist.
    QPainterPath a;
    a.moveTo(3, 14);
    a.lineTo(8, 2.5);
    a.lineTo(13, 14);
    p.setPen(inkPen(kInk, 2.0, Qt::FlatCap));
    p.drawPath(a);
    p.setPen(inkPen(kInk, 1.6, Qt::FlatCap));
    p.drawLine(QPointF(5.2, 10), QPointF(10.8, 10));
}

namespace {

// A hook-shaped arrow turning back to the left; `mirror` turns it to the right.
void drawTurnArrowIcon(QPainter& p, bool mirror) {
    if (mirror) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath arc;
    arc.moveTo(12.5, 13.5);
    arc.cubicTo(14.8, 9.5, 12.5, 5.5, 6.5, 6.0);
    p.setPen(inkPen(kAccent, 2.0, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    QPainterPath head;
    head.moveTo(1.5, 6.0);
    head.lineTo(7.0, 1.8);
    head.lineTo(7.0, 10.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawPath(head);
}

} // namespace

void paintSaveIcon(QPainter& p) {
    // A floppy disk: blue body, dark shutter, white label.
    QPainterPath body;
    body.moveTo(2.5, 2.5);
    body.lineTo(11.5, 2.5);
    body.lineTo(13.5, 4.5);
    body.lineTo(13.5, 13.5);
    body.lineTo(2.5, 13.5);
    body.closeSubpath();
    p.setPen(inkPen(kInk, 1.0, Qt::SquareCap));
    p.setBrush(kAccent);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(5, 3, 5, 4));
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(8, 3.5, 1.5, 3));
    p.setBrush(kPaper);
    p.drawRect(QRectF(4.5, 9, 7, 4));
}

void paintExitIcon(QPainter& p) {
    p.setPen(inkPen(kStop, 2.2));
    p.drawLine(QPointF(4, 4), QPointF(12, 12));
    p.drawLine(QPointF(12, 4), QPointF(4, 12));
}

void paintFinishIcon(QPainter& p) {
    QPainterPath tick;
    tick.moveTo(2.5, 8.5);
    tick.lineTo(6.3, 12.3);
    tick.lineTo(13.5, 4.0);
    p.setPen(inkPen(kDone, 2.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void paintUndoIcon(QPainter& p) {
    drawTurnArrowIcon(p, false);
}

void paintRedoIcon(QPainter& p) {
    drawTurnArrowIcon(p, true);
}

QImage iconImage(void (*paint)(QPainter&)) {
    QImage img = blankIcon();
    if (!paint) return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return img;
}

QImage penSizeIcon(int sizeButton) {
    QImage img = blankIcon();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const double diameter = sizeButton <= 0 ? 3.0 : sizeButton == 1 ? 6.0 : 10.0;
    p.drawEllipse(QPointF(8, 8), diameter / 2, diameter / 2);
    return img;
}

QImage fontSizeIcon() {
    QImage img = blankIcon();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath big;
    big.moveTo(1, 14);
    big.lineTo(5, 2.5);
    big.lineTo(9, 14);
    p.setPen(inkPen(kInk, 1.7, Qt::FlatCap));
    p.drawPath(big);
    p.drawLine(QPointF(2.8, 10), QPointF(7.2, 10));
    QPainterPath small;
    small.moveTo(9.5, 14);
    small.lineTo(12.25, 7.5);
    small.lineTo(15, 14);
    p.setPen(inkPen(kAccent, 1.3, Qt::FlatCap));
    p.drawPath(small);
    p.drawLine(QPointF(10.6, 11.6), QPointF(13.9, 11.6));
    return img;
}

QImage comboFaceImage(ComboFace face) {
    QImage img(50, 22, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    const QColor border = face == ComboFace::Normal ? kBarOutline : kAccent;
    QColor button = face == ComboFace::Normal  ? kBarBackground
                    : face == ComboFace::Hover ? QColor(196, 224, 255)
                                               : QColor(150, 198, 252);
    // The field and the button share one outline; the button sits at the right.
    p.fillRect(QRect(0, 0, 50, 22), kPaper);
    p.fillRect(QRect(35, 1, 14, 20), button);
    p.setPen(border);
    p.drawRect(QRect(0, 0, 49, 21));
    p.drawLine(QPoint(35, 1), QPoint(35, 20));
    // The triangle, nudged down by a pixel while pressed.
    const double dy = face == ComboFace::Pressed ? 1 : 0;
    QPainterPath tri;
    tri.moveTo(38.5, 9 + dy);
    tri.lineTo(45.5, 9 + dy);
    tri.lineTo(42, 13 + dy);
    tri.closeSubpath();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(tri);
    return img;
}

} // namespace kv
