// Kolvane's own second bar: its buttons, hover frames and clicks.
#include "snapshot/secondbar.h"

#include "snapshot/editoractions.h"
#include "snapshot/editorstyle.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/toolicons.h"

#include <QKeySequence>

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

SecondBar::SecondBar(ClickableLabel* panel) : QObject(panel), panel_(panel) {
    const std::vector<SecondBarItem> items = secondBarItems();
    width_ = secondBarWidth(int(items.size()));
    preparePanel(panel_, kBarBackground);
    connect(panel_, &ClickableLabel::moved, this, [this] {
        showArrowPointer();
        hover(-1);
    });
    connect(panel_, &ClickableLabel::pointerLeft, this, [this] { hover(-1); });
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
        const int position = int(i);
        const int index = items[i].button;
        connect(button, &ClickableLabel::moved, this, [this, position] { hover(position); });
        connect(button, &ClickableLabel::clicked, this, [this, index] { emit clicked(index); });
        buttons_.push_back(button);
        indexes_.push_back(index);
    }
    auto* outline = new OutlineShape(panel_, kBarOutline);
    outline->setGeometry(0, 0, width_, kToolBarHeight);
}

void SecondBar::hover(int position) {
    for (std::size_t i = 0; i < frames_.size(); ++i)
        frames_[i]->setVisible(int(i) == position);
}

} // namespace kv
