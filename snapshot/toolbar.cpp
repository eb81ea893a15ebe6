// The tool bar's buttons and hover frames.
#include "snapshot/toolbar.h"
#include "snapshot/editorstyle.h"

#include "platform/units.h"
#include "snapshot/tooltable.h"

#include <QMouseEvent>

namespace kv {

ToolBar::ToolBar(QWidget* panel) : QObject(panel), Picture1(panel) {
    preparePanel(Picture1, kBarBackground);
    Picture1->installEventFilter(this);

    for (const auto& b : kToolButtons) {
        auto* button = new IconButton(Picture1, toolButtonIcon(b.index));
        button->setGeometry(twips(b.leftTwips), twips(kToolIconTopTwips), kToolIconSize,
                            kToolIconSize);
        button->setToolTip(toolButtonTip(b.index));
        button->setObjectName(QStringLiteral("Image2_%1").arg(b.index));
        button->installEventFilter(this);
        Image2[b.index] = button;
    }
    for (const auto& b : kToolButtons) {
        auto* frame = new OutlineShape(Picture1, kBarHoverFrame);
        frame->setGeometry(twips(b.frameLeftTwips), twips(kToolFrameTopTwips),
                           twips(kToolFrameSizeTwips), twips(kToolFrameSizeTwips));
        frame->hide();
        Shape3[b.index] = frame;
    }
    const int sepTop = twips(kSeparatorTopTwips);
    const int sepHeight = twips(kSeparatorBottomTwips) - sepTop;
    Line1 = new LineShape(Picture1, kBarSeparator);
    Line1->setGeometry(twips(kSeparatorXTwips[0]), sepTop, 1, sepHeight);
    Line2 = new LineShape(Picture1, kBarSeparator);
    Line2->setGeometry(twips(kSeparatorXTwips[1]), sepTop, 1, sepHeight);
    Shape2 = new OutlineShape(Picture1, kBarOutline);
    Shape2->setGeometry(0, 0, kToolBarWidth, kToolBarHeight);
}

void ToolBar::hideFrames() {
    for (auto* f : Shape3)
        f->hide();
}

void ToolBar::Image2_MouseMove(int index) {
    hideFrames();
    Shape3[index]->show();
}

void ToolBar::Picture1_MouseMove() {
    showArrowPointer();
    hideFrames();
}

int ToolBar::hoverFrame() const {
    for (int i = 0; i < kToolButtonCount; ++i)
        if (Shape3[i]->isVisibleTo(Picture1)) return i;
    return -1;
}

bool ToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Picture1) {
        if (event->type() == QEvent::MouseMove) Picture1_MouseMove();
        // Leaving the bar altogether must not leave a frame behind.
        if (event->type() == QEvent::Leave) hideFrames();
        // The bar is not part of the picture: no press on it may reach the editor below.
        return isMouseEvent(event);
    }
    for (int i = 0; i < kToolButtonCount; ++i) {
        if (watched != Image2[i]) continue;
        switch (event->type()) {
        case QEvent::MouseMove:
            Image2_MouseMove(i);
            return true;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pressed_ = i;
            return true;
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            const bool click = me->button() == Qt::LeftButton && pressed_ == i &&
                               Image2[i]->rect().contains(me->position().toPoint());
            pressed_ = -1;
            if (click) emit Image2_Click(i);
            return true;
        }
        case QEvent::MouseButtonDblClick:
            // A quick second click is a click of its own.
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pressed_ = i;
            return true;
        default:
            return false;
        }
    }
    return false;
}

} // namespace kv
