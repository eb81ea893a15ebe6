// The main window's title bar, window dragging and tab hover, its painted panels, and
// the routing of the frame's mouse events to the handlers (and to the pages' commands).
#include "app/framestyle.h"
#include "app/frmmain.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace kv {

// ---- title bar, window dragging and page tabs ----

void FrmMain::ImgMin_MouseMove() {
    ImgMin->setPicture(ImgTmp[1]);
}

void FrmMain::ImgMin_MouseDown() {
    ImgMin->setPicture(ImgTmp[2]);
}

void FrmMain::ImgMin_Click() {
    // The button keeps its pressed picture until the mouse next crosses the banner
    // or the background.
    showMinimized();
}

void FrmMain::ImgClose_MouseMove() {
    ImgClose->setPicture(ImgTmp[1]);
}

void FrmMain::ImgClose_MouseDown() {
    ImgClose->setPicture(ImgTmp[2]);
}

void FrmMain::ImgClose_Click() {
    // Leaves the event loop in order rather than killing the process, so that a
    // clipboard manager can still take a finished region.
    QCoreApplication::exit(0);
}

void FrmMain::Label3_Click() {
    ImgClose_Click();
}

void FrmMain::ImgBanner_MouseMove() {
    ImgMin->setPicture(ImgTmp[0]);
    ImgClose->setPicture(ImgTmp[0]);
}

void FrmMain::ImgBanner_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::LblBanner_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::ImgIcon_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::startWindowDrag(Qt::MouseButton button, QPoint globalPos) {
    if (button != Qt::LeftButton) return;
    // Let the window manager move us as if the caption were dragged; where none
    // answers, follow the pointer ourselves.
    QWindow* win = windowHandle();
    plainDrag_ = !(win && win->startSystemMove());
    dragOffset_ = globalPos - frameGeometry().topLeft();
}

void FrmMain::LblColr_MouseMove() {
    setUnderline(LblColr, true);
}

void FrmMain::LblTrim_MouseMove() {
    setUnderline(LblTrim, true);
}

void FrmMain::Image1_MouseMove() {
    setUnderline(LblTrim, false);
}

void FrmMain::Image2_MouseMove() {
    setUnderline(LblColr, false);
}

// ---- events ----

void FrmMain::mouseMoveEvent(QMouseEvent* event) {
    // Only moves over the bare background reset the hover state; moves that a
    // child let through are not the background's.
    if (childAt(event->position().toPoint()) == nullptr) Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void FrmMain::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const UiScale& ui = ui_;
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
    QFont big = font();
    big.setPointSize(16);
    big.setBold(true);
    p.setFont(big);
    p.setPen(kTextBlue);
    p.drawText(ui.px(QRect(186, 44, 140, 44)), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Kolvane"));
    QFont small = font();
    p.setFont(small);
    p.setPen(QColor(110, 130, 160));
    p.drawText(ui.px(QRect(186, 76, 150, 16)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("取色 · 截图"));
    // Between the two tab groups, then Shape5, the visible border: lines one
    // designed pixel thick.
    p.fillRect(ui.px(QRect(10, 236, 123, 1)), kPanelBorder);
    const int w = width(), h = height(), t = ui.px(1);
    for (const QRect& edge :
         {QRect(0, 0, w, t), QRect(0, h - t, w, t), QRect(0, 0, t, h), QRect(w - t, 0, t, h)})
        p.fillRect(edge, kTextBlue);
    // The first frame is on its way; the colour page is built once it is out.
    if (!colourPageScheduled_) {
        colourPageScheduled_ = true;
        QTimer::singleShot(0, this, [this] { colourPage(); });
    }
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    if (bannerEvent(watched, me)) return true;
    if (navigationEvent(watched, me)) return true;
    return QWidget::eventFilter(watched, event);
}

// The banner, its title and its icon drag the window; the title-bar buttons.
bool FrmMain::bannerEvent(QObject* watched, QMouseEvent* me) {
    const QEvent::Type type = me->type();
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    const QPoint global = me->globalPosition().toPoint();
    // A click: the left button let go over the control it was pressed on.
    const bool clicked = release && me->button() == Qt::LeftButton &&
                         static_cast<QWidget*>(watched)->rect().contains(me->position().toPoint());

    if (watched == ImgBanner || watched == LblBanner || watched == ImgIcon) {
        if (press) {
            if (watched == ImgBanner) ImgBanner_MouseDown(me->button(), global);
            if (watched == LblBanner) LblBanner_MouseDown(me->button(), global);
            if (watched == ImgIcon) ImgIcon_MouseDown(me->button(), global);
            return true;
        }
        if (move && plainDrag_ && me->buttons() == Qt::LeftButton) {
            this->move(global - dragOffset_);
            return true;
        }
        if (release) plainDrag_ = false;
        if (move && watched == ImgBanner) ImgBanner_MouseMove();
        return release;
    }
    if (watched == ImgMin) {
        if (move) ImgMin_MouseMove();
        if (press) ImgMin_MouseDown();
        if (clicked) ImgMin_Click();
        return true;
    }
    if (watched == ImgClose) {
        if (move) ImgClose_MouseMove();
        if (press) ImgClose_MouseDown();
        if (clicked) ImgClose_Click();
        return true;
    }
    if (watched == Label3) {
        if (clicked) Label3_Click();
        return true;
    }
    return false;
}

// The page tabs with their icons, the command labels (whose commands the pages carry
// out) and the links.
bool FrmMain::navigationEvent(QObject* watched, QMouseEvent* me) {
    const QEvent::Type type = me->type();
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const bool clicked = type == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton &&
                         static_cast<QWidget*>(watched)->rect().contains(me->position().toPoint());
    if (watched == LblColr || watched == LblTrim) {
        if (move) watched == LblColr ? LblColr_MouseMove() : LblTrim_MouseMove();
        if (clicked) watched == LblColr ? LblColr_Click() : LblTrim_Click();
        return true;
    }
    if (watched == Image2 || watched == Image1) {
        if (move) watched == Image2 ? Image2_MouseMove() : Image1_MouseMove();
        return true;
    }
    for (int i = 0; i < 9; ++i) {
        if (watched != LblColor[i]) continue;
        if (move) LblColor_MouseMove(i);
        if (press) colourPage().LblColor_MouseDown(i, me->button());
        if (clicked) capturePage_->LblColor_Click(i);
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched != LblWeb[i]) continue;
        if (move) LblWeb_MouseMove(i);
        if (press) LblWeb_MouseDown(i);
        return true;
    }
    return false;
}

} // namespace kv
