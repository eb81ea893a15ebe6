// The main window's painted frame: its panels, the header's colour chips and titles,
// and the one-pixel border.
#include "app/framepanels.h"

#include "app/framestyle.h"

#include <QPainter>

namespace kv {

void paintFramePanels(QPainter& p, const UiScale& ui, const QFont& font, QSize size) {
    // Panels: header, navigation column, content, status bar, then the outer border.
    p.setPen(QPen(kPanelBorder, ui.px(1)));
    p.setBrush(Qt::white);
    const double radius = ui.pxF(4);
    p.drawRoundedRect(ui.px(QRect(6, 36, 548, 62)), radius, radius);     // header box
    p.drawRoundedRect(ui.px(QRect(6, 102, 132, 318)), radius, radius);   // navigation
    p.drawRoundedRect(ui.px(QRect(140, 140, 414, 280)), radius, radius); // content
    p.drawRoundedRect(ui.px(QRect(6, 426, 548, 32)), radius, radius);    // status bar
    // A row of colour chips in the header: what the program is about at a glance.
    const QColor chips[] = {QColor(232, 52, 52), QColor(247, 135, 28), QColor(250, 204, 21),
                            QColor(74, 190, 72), QColor(30, 160, 230), QColor(52, 84, 210),
                            QColor(146, 70, 200)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush(chips[i]);
        p.drawRoundedRect(ui.px(QRect(22 + i * 22, 54, 18, 26)), ui.pxF(3), ui.pxF(3));
    }
    // Text sizes follow the font resolution, which already carries the scale.
    QFont big = font;
    big.setPointSize(16);
    big.setBold(true);
    p.setFont(big);
    p.setPen(kTextBlue);
    p.drawText(ui.px(QRect(186, 44, 140, 44)), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Kolvane"));
    const QFont& small = font;
    p.setFont(small);
    p.setPen(QColor(110, 130, 160));
    p.drawText(ui.px(QRect(186, 76, 150, 16)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("取色 · 截图"));
    // Between the two tab groups, then Shape5, the visible border: lines one
    // designed pixel thick.
    p.fillRect(ui.px(QRect(10, 236, 123, 1)), kPanelBorder);
    const int w = size.width(), h = size.height(), t = ui.px(1);
    for (const QRect& edge :
         {QRect(0, 0, w, t), QRect(0, h - t, w, t), QRect(0, 0, t, h), QRect(w - t, 0, t, h)})
        p.fillRect(edge, kTextBlue);
}

} // namespace kv
