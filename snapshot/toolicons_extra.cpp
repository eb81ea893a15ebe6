// The mosaic and numbered-step icons, in the palette of the other tool icons.
#include "snapshot/toolicons_extra.h"

#include <QPainter>
#include <QPainterPath>

namespace kv {

namespace {

const QColor kInk(43, 74, 111);     // line work, as on the other icons
const QColor kAccent(36, 143, 251); // the editor's blue
const QColor kPaper(255, 255, 255);

} // namespace

void paintMosaicIcon(QPainter& p) {
    // Four by four squares of three pixels on whole pixels, so that the blocks stay crisp.
    const QColor shades[4] = {kInk, kAccent, QColor(150, 198, 252), QColor(222, 238, 255)};
    static const int pattern[4][4] = {{0, 2, 1, 3}, {2, 1, 3, 0}, {1, 3, 0, 2}, {3, 0, 2, 1}};
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col)
            p.fillRect(QRect(2 + 3 * col, 2 + 3 * row, 3, 3), shades[pattern[row][col]]);
    p.restore();
    p.setPen(QPen(kInk, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

void paintStepNumberIcon(QPainter& p) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
    // A 1 drawn from strokes, so it looks the same whatever fonts exist.
    QPainterPath one;
    one.moveTo(5.6, 6.0);
    one.lineTo(8.4, 3.9);
    one.lineTo(8.4, 12.2);
    p.setPen(QPen(kPaper, 1.8, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(one);
}

} // namespace kv
