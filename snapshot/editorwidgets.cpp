// The editor's widgets and copying the session's view onto them: outline, handles,
// read-outs, bars, the text box, the screen-wide pointer and the loupe.
#include "snapshot/editorwidgets.h"

#include "colour/notations.h"
#include "snapshot/toolbar.h"

#include "platform/screenpointer.h"
#include "platform/units.h"
#include "snapshot/editorstyle.h"
#include "snapshot/optionbar.h"
#include "snapshot/secondbar.h"
#include "snapshot/toolbar_layout.h"

#include <QFontMetrics>

namespace kv {

namespace {

// The text box shows its text in the colour it will be drawn in, over a light, dashed
// frame that marks the box on any picture.
QString textBoxStyle(const QColor& colour) {
    return QStringLiteral("QLineEdit { border: 1px dashed rgb(36, 143, 251); padding: 0px;"
                          " background: rgba(255, 255, 255, 170); color: %1; }")
        .arg(colour.name());
}

void setLabelText(QLabel* label, const QString& text) {
    if (label->text() == text) return;
    label->setText(text);
    label->adjustSize();
}

} // namespace

void EditorWidgets::apply() {
    applying_ = true;
    const EditorView& v = session_.view();
    if (!appliedOnce_ || !(v.selection == applied_.selection)) Shape1->setBox(v.selection);
    Shape1->setVisible(v.outlineShown);
    applyHandles();
    applyReadOuts();
    applyBars();
    applyTextBox();
    applyPointerAndLoupe();
    applied_ = v;
    appliedOnce_ = true;
    applying_ = false;
}

void EditorWidgets::applyHandles() {
    const EditorView& v = session_.view();
    if (v.handlesShown) {
        const auto at = handlePositions(v.selection);
        for (int i = 0; i < kHandleCount; ++i) {
            Image1[std::size_t(i)]->move(nearInt(float(at[std::size_t(i)].x())),
                                         nearInt(float(at[std::size_t(i)].y())));
            Image1[std::size_t(i)]->show();
        }
    } else {
        for (HandleBox* h : Image1)
            h->hide();
    }
}

void EditorWidgets::applyReadOuts() {
    const EditorView& v = session_.view();
    setLabelText(LblPos, v.sizeText);
    setLabelText(lblInfo, v.colourText);
    if (v.readOutsShown) {
        stackReadOuts();
        LblPos->show();
        lblInfo->show();
        LblHelp->show();
        LblKeys->setVisible(keysTipFits());
    } else {
        LblPos->hide();
        LblHelp->hide();
        LblKeys->hide();
        if (v.noticeAt) lblInfo->move(*v.noticeAt);
        lblInfo->setVisible(v.noticeAt.has_value());
    }
}

void EditorWidgets::stackReadOuts() {
    const SelBox& s = session_.selection();
    LblPos->move(nearInt(s.left + 2), nearInt(s.top + 2));
    lblInfo->move(nearInt(s.left + 2), LblPos->y() + LblPos->height() + 2);
    LblHelp->move(nearInt(s.left + 2), lblInfo->y() + lblInfo->height() + 2);
    LblKeys->move(nearInt(s.left + 2), LblHelp->y() + LblHelp->height() + 2);
}

// The keys' tip is a help, not a read-out: it shows only while it fits inside the
// selection, so it never covers the outline, the handles or the bars.
bool EditorWidgets::keysTipFits() const {
    if (session_.view().keysUsed) return false;
    const SelBox& s = session_.selection();
    const QRect inside(nearInt(s.left) + 1, nearInt(s.top) + 1, nearInt(s.width) - 2,
                       nearInt(s.height) - 2);
    return inside.contains(LblKeys->geometry());
}

void EditorWidgets::applyBars() {
    const EditorView& v = session_.view();
    Picture1->move(v.toolBarPos);
    const QRect secondAt = secondBarGeometry(QRect(v.toolBarPos, Picture1->size()),
                                             secondBar_->width(), session_.selectionMonitor());
    secondPanel_->setGeometry(secondAt);
    Picture1->setVisible(v.toolBarShown);
    secondPanel_->setVisible(v.toolBarShown && secondBar_->width() > 0);
    if (v.toolBarShown && v.toolBarPlaced != applied_.toolBarPlaced) {
        Picture1->raise();
        secondPanel_->raise();
    }
    if (v.optionBarArranged != applied_.optionBarArranged) optionBar_->arrangeFor(v.optionBarTool);
    Picture2->move(v.optionBarPos);
    Picture2->setVisible(v.optionBarShown);
    if (v.optionBarShown && v.optionBarRaised != applied_.optionBarRaised) Picture2->raise();
}

void EditorWidgets::applyTextBox() {
    const TextBoxView& box = session_.view().textBox;
    const TextBoxView& was = applied_.textBox;
    if (!appliedOnce_ || box.colour != was.colour)
        TextEdit->setStyleSheet(textBoxStyle(box.colour));
    if (!appliedOnce_ || box.font != was.font) TextEdit->setFont(box.font);
    if (TextEdit->text() != box.text) TextEdit->setText(box.text);
    if (box.open) TextEdit->setGeometry(box.pos.x(), box.pos.y(), box.width, box.height);
    TextEdit->setVisible(box.open);
    if (box.open && box.opened != was.opened) {
        TextEdit->raise();
        TextEdit->setFocus();
    }
    // Keys go back to the editor, not to whichever box is next in line.
    if (box.closed != was.closed) editor_->setFocus();
}

void EditorWidgets::applyPointerAndLoupe() {
    const EditorView& v = session_.view();
    if (v.pointerSet != applied_.pointerSet || !appliedOnce_) {
        if (v.pointer)
            setScreenPointer(*v.pointer);
        else
            resetScreenPointer();
    }
    if (!v.loupeAt)
        loupe_.Hide();
    else if (v.loupeShown != applied_.loupeShown)
        showLoupe(*v.loupeAt);
}

} // namespace kv
