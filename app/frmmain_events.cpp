// The main window's title bar, window dragging and tab hover, its painted panels, and
// the connections from its labels' signals to the handlers (and to the pages' commands).
#include "app/framepanels.h"
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
    ImgMin->setPicture(ImgTmp[StoredPicture::ButtonHover]);
}

void FrmMain::ImgMin_MouseDown() {
    ImgMin->setPicture(ImgTmp[StoredPicture::ButtonPressed]);
}

void FrmMain::ImgMin_Click() {
    // The button keeps its pressed picture until the mouse next crosses the banner
    // or the background.
    showMinimized();
}

void FrmMain::ImgClose_MouseMove() {
    ImgClose->setPicture(ImgTmp[StoredPicture::ButtonHover]);
}

void FrmMain::ImgClose_MouseDown() {
    ImgClose->setPicture(ImgTmp[StoredPicture::ButtonPressed]);
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
    ImgMin->setPicture(ImgTmp[StoredPicture::ButtonRest]);
    ImgClose->setPicture(ImgTmp[StoredPicture::ButtonRest]);
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
    paintFramePanels(p, ui_, font(), size());
    // The first frame is on its way; the colour page is built once it is out.
    if (!colourPageScheduled_) {
        colourPageScheduled_ = true;
        QTimer::singleShot(0, this, [this] { colourPage(); });
    }
}

// ---- the labels' signals to their handlers ----

// The banner, its title and its icon drag the window; the title-bar buttons.
void FrmMain::connectTitleBar() {
    connect(ImgBanner, &ClickableLabel::pressed, this, &FrmMain::ImgBanner_MouseDown);
    connect(LblBanner, &ClickableLabel::pressed, this, &FrmMain::LblBanner_MouseDown);
    connect(ImgIcon, &ClickableLabel::pressed, this, &FrmMain::ImgIcon_MouseDown);
    for (ClickableLabel* handle : {ImgBanner, LblBanner, ImgIcon}) {
        connect(handle, &ClickableLabel::moved, this,
                [this, handle](Qt::MouseButtons buttons, QPoint global) {
                    if (plainDrag_ && buttons == Qt::LeftButton)
                        move(global - dragOffset_);
                    else if (handle == ImgBanner)
                        ImgBanner_MouseMove();
                });
        connect(handle, &ClickableLabel::released, this, [this] { plainDrag_ = false; });
    }
    connect(ImgMin, &ClickableLabel::moved, this, &FrmMain::ImgMin_MouseMove);
    connect(ImgMin, &ClickableLabel::pressed, this, &FrmMain::ImgMin_MouseDown);
    connect(ImgMin, &ClickableLabel::clicked, this, &FrmMain::ImgMin_Click);
    connect(ImgClose, &ClickableLabel::moved, this, &FrmMain::ImgClose_MouseMove);
    connect(ImgClose, &ClickableLabel::pressed, this, &FrmMain::ImgClose_MouseDown);
    connect(ImgClose, &ClickableLabel::clicked, this, &FrmMain::ImgClose_Click);
    connect(Label3, &ClickableLabel::clicked, this, &FrmMain::Label3_Click);
}

// The page tabs with their icons, the command labels (whose commands the pages carry
// out) and the links.
void FrmMain::connectNavigation() {
    connect(LblColr, &ClickableLabel::moved, this, &FrmMain::LblColr_MouseMove);
    connect(LblColr, &ClickableLabel::clicked, this, &FrmMain::LblColr_Click);
    connect(LblTrim, &ClickableLabel::moved, this, &FrmMain::LblTrim_MouseMove);
    connect(LblTrim, &ClickableLabel::clicked, this, &FrmMain::LblTrim_Click);
    connect(Image2, &ClickableLabel::moved, this, &FrmMain::Image2_MouseMove);
    connect(Image1, &ClickableLabel::moved, this, &FrmMain::Image1_MouseMove);
    for (int i = 0; i < kCommandCount; ++i) {
        ClickableLabel* command = LblColor[i];
        connect(command, &ClickableLabel::moved, this, [this, i] { LblColor_MouseMove(i); });
        // The colour commands act on a press, the capture commands on a click; only
        // the colour commands need the colour page.
        if (isColourCommand(i))
            connect(command, &ClickableLabel::pressed, this, [this, i](Qt::MouseButton button) {
                colourPage().LblColor_MouseDown(i, button);
            });
        else
            connect(command, &ClickableLabel::clicked, this,
                    [this, i] { capturePage_->LblColor_Click(i); });
    }
    for (int i = 0; i < kLinkCount; ++i) {
        connect(LblWeb[i], &ClickableLabel::moved, this, [this, i] { LblWeb_MouseMove(i); });
        connect(LblWeb[i], &ClickableLabel::pressed, this, [this, i] { LblWeb_MouseDown(i); });
    }
}

} // namespace kv
