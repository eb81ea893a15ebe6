// Kolvane's own second bar: its buttons, hover frames and clicks.
#include "snapshot/secondbar.h"

#include "snapshot/editoractions.h"
#include "snapshot/editorstyle.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/toolicons.h"

#include <QKeySequence>
#include <QMouseEvent>

namespace kv {

namespace {
// As on the tool bar: a 16-pixel icon every 25 pixels with a 20-pixel hover frame.
constexpr int kPitch = 25;
constexpr int kIconLeft = 7;
constexpr int kIconTop = 5;
constexpr int kFrameLeft = 5;
constexpr int kFrameTop = 3;
constexpr int kFrameSize = 20;
} // namespace

int secondBarWidth(int buttons) {
    return buttons > 0 ? buttons * kPitch + 2 * kIconLeft - (kPitch - kToolIconSize) : 0;
}

QRect secondBarGeometry(const QRect& toolBar, int width, const QRect& monitor) {
    if (width <= 0) return QRect();
    QRect bar(toolBar.left() - kSecondBarGap - width, toolBar.top(), width, toolBar.height());
    if (bar.left() < monitor.left()) bar.moveLeft(toolBar.right() + 1 + kSecondBarGap);
    return bar;
}

SecondBar::SecondBar(QWidget* panel) : QObject(panel), panel_(panel) {
    const std::vector<SecondBarItem> items = secondBarItems();
    width_ = secondBarWidth(int(items.size()));
    preparePanel(panel_, kBarBackground);
    panel_->installEventFilter(this);
    if (width_ > 0) panel_->setFixedSize(width_, kToolBarHeight);
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* frame = new OutlineShape(panel_, kBarHoverFrame);
        frame->setGeometry(kFrameLeft + int(i) * kPitch, kFrameTop, kFrameSize, kFrameSize);
        frame->hide();
        frames_.push_back(frame);
        auto* button = new IconButton(panel_, iconImage(items[i].paintIcon));
        button->setGeometry(kIconLeft + int(i) * kPitch, kIconTop, kToolIconSize, kToolIconSize);
        const QString key = QKeySequence(items[i].key).toString();
        button->setToolTip(key.isEmpty() ? items[i].tip
                                         : QStringLiteral("%1 (%2)").arg(items[i].tip, key));
        button->installEventFilter(this);
        buttons_.push_back(button);
        indexes_.push_back(items[i].button);
    }
    auto* outline = new OutlineShape(panel_, kBarOutline);
    outline->setGeometry(0, 0, width_, kToolBarHeight);
}

void SecondBar::hover(int position) {
    for (std::size_t i = 0; i < frames_.size(); ++i)
        frames_[i]->setVisible(int(i) == position);
}

bool SecondBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_) {
        if (event->type() == QEvent::MouseMove) {
            showArrowPointer();
            hover(-1);
        }
        if (event->type() == QEvent::Leave) hover(-1);
        // The bar is not part of the picture: no press on it may reach the editor below.
        return isMouseEvent(event);
    }
    const auto found = std::find(buttons_.begin(), buttons_.end(), watched);
    if (found == buttons_.end()) return false;
    const int i = int(found - buttons_.begin());
    auto* me = static_cast<QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseMove:
        hover(i);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (me->button() == Qt::LeftButton) pressed_ = i;
        return true;
    case QEvent::MouseButtonRelease: {
        const bool click = me->button() == Qt::LeftButton && pressed_ == i &&
                           buttons_[std::size_t(i)]->rect().contains(me->position().toPoint());
        pressed_ = -1;
        if (click) emit clicked(indexes_[std::size_t(i)]);
        return true;
    }
    default:
        return false;
    }
}

} // namespace kv
