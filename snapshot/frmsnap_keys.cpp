// The editor's loupe and its keys: the frozen pixels round the pointer enlarged while
// a selection or a handle is dragged; arrows for the pointer and the selection, the
// tool-bar commands, and copying the colour under the pointer.
#include "colour/notations.h"
#include "platform/pointer.h"
#include "platform/units.h"
#include "snapshot/editorkeys.h"
#include "snapshot/frmsnap.h"
#include "snapshot/toolbar_layout.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kv {

const QString& FrmSnap::keysTip() {
    static const QString tip =
        QStringLiteral("方向键移动1像素(Shift:10)，Ctrl+方向键调整右下边，Ctrl+Z撤销，Ctrl+Y重做，"
                       "Enter完成，C/Shift+C复制颜色");
    return tip;
}

void FrmSnap::ShowLoupe(QPoint hot) {
    const LoupeSource source = LoupeSourceFrom(surface.screen(), QPoint(0, 0), hot);
    QStringList caption;
    if (source.centreValid()) {
        const QRgb c = source.centre();
        caption << FormatColourNotations(qRed(c), qGreen(c), qBlue(c))[0];
    }
    caption << QStringLiteral("(%1,%2)").arg(hot.x()).arg(hot.y());
    // The editor's (0, 0) is the desktop's, so its children's places are desktop pixels.
    std::vector<QRect> readOuts;
    for (const QWidget* w : {static_cast<QWidget*>(LblPos), static_cast<QWidget*>(lblInfo),
                             static_cast<QWidget*>(LblHelp), static_cast<QWidget*>(LblKeys)})
        if (w->isVisible()) readOuts.push_back(w->geometry().translated(pos()));
    loupe_.Show(hot, source, caption, monitors_.monitorFor(hot), readOuts);
}

void FrmSnap::HideLoupe() {
    loupe_.Hide();
}

bool FrmSnap::EditorKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    // An open text box takes every key itself.
    if (TextEdit->isVisible()) return false;
    const EditorKey k = EditorKeyFor(key, modifiers);
    const bool held = QGuiApplication::mouseButtons() != Qt::NoButton;
    const bool selected = Status == QLatin1String("move");
    switch (k.action) {
    case EditorKeyAction::None:
        return false;
    case EditorKeyAction::Close:
        Form_KeyPress(27);
        return true;
    case EditorKeyAction::Nudge:
        if (held || !selected || toolMode)
            NudgePointer(k.step);
        else
            NudgeSelection(k.step);
        break;
    case EditorKeyAction::ResizeBottomRight:
        if (!held && selected) ResizeBottomRightBy(k.step);
        break;
    case EditorKeyAction::Undo:
    case EditorKeyAction::Redo:
        if (!held && selected) Image2_Click(k.action == EditorKeyAction::Undo ? 0 : 8);
        break;
    case EditorKeyAction::Finish:
        // Only where the tool bar's "完成截图" could be clicked.
        if (!held && Picture1->isVisible()) Image2_Click(1);
        return true;
    case EditorKeyAction::CopyHtml:
    case EditorKeyAction::CopyRgb:
        CopyPixelNotation(k.action == EditorKeyAction::CopyRgb);
        break;
    }
    if (!unloaded_ && LblKeys->isVisible()) LblKeys->hide();
    keysUsed_ = true;
    return true;
}

void FrmSnap::NudgePointer(QPoint step) {
    const QPoint at = clampInto(PointerScreenPos() + step, monitors_.desktop());
    // The pointer really moves: the move that follows drags whatever the button holds.
    WarpPointer(at);
}

void FrmSnap::NudgeSelection(QPoint step) {
    const SelBox s = selection();
    setSelection(moveSelection(s, {s.left, s.top}, {0, 0}, QPointF(step), monitors_.desktop()));
    originX = selection().left;
    originY = selection().top;
    StackReadOuts();
    ImageMove();
    PlaceToolBar();
    if (Picture2->isVisible()) PlaceOptionBar();
}

// As a drag of the bottom-right handle: the same rules for tool mode and history.
void FrmSnap::ResizeBottomRightBy(QPoint step) {
    if (historyCount() == 1) {
        toolMode = false;
        showReadOuts();
    }
    if (toolMode) return;
    history.resetToFirst();
    Picture2->hide();
    const SelBox s = selection();
    const QRect desktop = monitors_.desktop();
    const float right = std::min(s.left + s.width + step.x(), float(desktop.right() + 1));
    const float bottom = std::min(s.top + s.height + step.y(), float(desktop.bottom() + 1));
    // No flipping past the opposite edge, as with the handle.
    if (right < s.left || bottom < s.top) return;
    setSelection({s.left, s.top, right - s.left, bottom - s.top});
    ImageMove();
    ShowSelectionSize();
    originX = selection().left;
    originY = selection().top;
    PlaceToolBar();
}

void FrmSnap::CopyPixelNotation(bool rgb) {
    const QPoint at = mapFromGlobal(PointerScreenPos());
    const int value = surfacePixel(float(at.x()), float(at.y()));
    if (value < 0) return;
    const auto texts = FormatColourNotations(value & 0xff, (value >> 8) & 0xff, value >> 16);
    const QString text = texts[rgb ? 2 : 0];
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setText(text);
    lblInfo->setText(QStringLiteral("已复制:%1").arg(text));
    lblInfo->adjustSize();
    if (lblInfo->isHidden()) {
        // No selection yet: the notice stands beside the pointer until the next move.
        lblInfo->move(at + QPoint(16, 16));
        lblInfo->show();
        copyNoticeOnly_ = true;
    }
}

} // namespace kv
