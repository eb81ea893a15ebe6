// The tool bar's buttons and hover frames.
#include "snapshot/toolbar.h"
#include "snapshot/editorstyle.h"

#include "platform/units.h"
#include "snapshot/tooltable.h"

namespace kv {

ToolBar::ToolBar(ClickableLabel* panel) : QObject(panel), Picture1(panel) {
    preparePanel(Picture1, kBarBackground);
    connect(Picture1, &ClickableLabel::moved, this, &ToolBar::Picture1_MouseMove);
    // Leaving the bar altogether must not leave a frame behind.
    connect(Picture1, &ClickableLabel::pointerLeft, this, &ToolBar::hideFrames);

    for (const auto& b : kToolButtons) {
        auto* button = new IconButton(Picture1, toolButtonIcon(b.index));
        button->setGeometry(twips(b.leftTwips), twips(kToolIconTopTwips), kToolIconSize,
                            kToolIconSize);
        button->setToolTip(toolButtonTip(b.index));
        button->setObjectName(QStringLiteral("Image2_%1").arg(b.index));
        const int index = b.index;
        connect(button, &ClickableLabel::moved, this, [this, index] { Image2_MouseMove(index); });
        connect(button, &ClickableLabel::clicked, this,
                [this, index] { emit Image2_Click(index); });
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

} // namespace kv
