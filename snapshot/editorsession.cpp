// The region editor's selection: dragging it out, clearing it, its handles and moves,
// and the stages between selecting and drawing.
#include "snapshot/editorsession.h"

#include "platform/colourvalue.h"
#include "platform/units.h"
#include "snapshot/toolbar_layout.h"

namespace kv {

EditorSession::EditorSession(EditorEffects& effects, const QFont& textFont)
    : effects_(effects), strokes_(surface_, history_, view_, monitors_, textFont) {}

void EditorSession::load(const QImage& shot, const Monitors& monitors) {
    // A fresh view, but the tool bar keeps its column (it waits above the screen) and
    // the counters the window compares keep counting.
    EditorView fresh;
    fresh.toolBarPos = QPoint(view_.toolBarPos.x(), -kToolBarHeight);
    fresh.toolBarPlaced = view_.toolBarPlaced;
    fresh.optionBarRaised = view_.optionBarRaised;
    fresh.optionBarArranged = view_.optionBarArranged;
    fresh.loupeShown = view_.loupeShown;
    fresh.pointerSet = view_.pointerSet;
    fresh.textBox = view_.textBox;
    fresh.textBox.open = false;
    view_ = fresh;

    stage_ = SelectionStage::Selecting;
    origin_ = down_ = QPointF();
    selRect_ = SelRect{};
    justCleared_ = false;
    handleDrag_ = HandleDrag::None;
    pressed_ = SelBox{};
    strokes_.reset();
    surface_.setPersistent(true);
    setPointer(Qt::CrossCursor);
    monitors_ = monitors;
    surface_.load(shot);
    history_.start(surface_.committed());
}

void EditorSession::showAgain() {
    hideLoupe();
    view_.outlineShown = false;
    hideReadOuts();
    view_.noticeAt.reset();
    view_.handlesShown = false;
    view_.toolBarShown = false;
    view_.optionBarShown = false;
    view_.textBox.open = false;
    surface_.setCommitted(surface_.committed());
}

QString EditorSession::statusText() const {
    return stage_ == SelectionStage::Selecting ? QStringLiteral("draw") : QStringLiteral("move");
}

void EditorSession::setStatusText(const QString& status) {
    if (status == QLatin1String("draw")) stage_ = SelectionStage::Selecting;
    if (status == QLatin1String("move")) stage_ = SelectionStage::Selected;
}

int EditorSession::surfacePixel(float x, float y) const {
    const auto px = surface_.pixel(nearInt(x), nearInt(y));
    if (!px) return -1;
    return ColourValueOf(*px);
}

void EditorSession::dismissNotice() {
    view_.noticeAt.reset();
}

void EditorSession::showLoupe(QPoint at) {
    view_.loupeAt = at;
    ++view_.loupeShown;
}

// ---------------------------------------------------------------- mouse on the picture

void EditorSession::press(int button, float x, float y) {
    dismissNotice();
    down_ = QPointF(x, y);
    if (strokes_.toolMode()) {
        selRect_ = selRectOf(view_.selection);
        strokes_.press(x, y);
        return;
    }
    view_.toolBarShown = false;
    if (stage_ != SelectionStage::Selecting) {
        setPointer(Qt::CrossCursor);
        selRect_ = selRectOf(view_.selection);
        // Outside, or any right press: the selection goes, and the press point is the
        // anchor of the next one.
        if (!selRect_.contains(nearInt(x), nearInt(y)) || button == kRightButton)
            clearSelection(x, y);
        return;
    }
    view_.outlineShown = true;
    origin_ = QPointF(x, y);
    view_.selection = {x, y, 0, 0};
    if (button == kRightButton) justCleared_ = false;
}

void EditorSession::clearSelection(float x, float y) {
    origin_ = QPointF(x, y);
    view_.selection = {x, y, 0, 0};
    view_.outlineShown = false;
    hideReadOuts();
    view_.handlesShown = false;
    resetPointer();
    stage_ = SelectionStage::Selecting;
    justCleared_ = true;
}

void EditorSession::move(int buttons, float x, float y) {
    dismissNotice();
    view_.colourText = colourText(surfacePixel(x, y));
    if (strokes_.toolMode()) {
        strokes_.move(buttons, x, y);
        return;
    }
    setPointer(strictlyInside(view_.selection, x, y) ? Qt::SizeAllCursor : Qt::CrossCursor);
    if (buttons != kLeftButton) return;
    if (stage_ != SelectionStage::Selecting) {
        MoveDrag(x, y);
    } else {
        view_.selection = rubberBand(view_.selection, float(origin_.x()), float(origin_.y()), x, y);
        ShowSelectionSize();
        setPointer(Qt::CrossCursor);
    }
    ImageMove();
    view_.outlineShown = true;
    showReadOuts();
    // Dragging out a selection, not moving one.
    if (stage_ == SelectionStage::Selecting) showLoupe(QPoint(nearInt(x), nearInt(y)));
}

void EditorSession::release(int button, float x, float y) {
    hideLoupe();
    if (strokes_.drawing()) strokes_.release(button, x, y);
    if (button != kLeftButton) {
        if (!justCleared_) effects_.closeEditor();
        return;
    }
    if (stage_ == SelectionStage::Selecting) stage_ = SelectionStage::Selected;
    origin_ = QPointF(view_.selection.left, view_.selection.top);
    PlaceToolBar();
}

void EditorSession::doubleClick() {
    const int x = nearInt(float(down_.x())), y = nearInt(float(down_.y()));
    // selRect is the selection as the last press in a selection found it; a press that
    // then cleared it leaves it behind. Only the selection that still exists finishes,
    // never one that was thrown away (that would hand back an empty region).
    if (!selRect_.contains(x, y) || !selRectOf(view_.selection).contains(x, y)) return;
    view_.textBox.open = false;
    // The double click's own first click, with a figure tool armed, left a figure
    // without extent (a dot) on the working image; it was never kept, and it must not
    // end up in the region.
    dropUncommitted();
    effects_.finishRegion();
}

// ---------------------------------------------------------------- handles and moves

void EditorSession::handlePress(int) {
    if (history_.count() == 1) {
        strokes_.setToolMode(false);
        showReadOuts();
    }
    if (strokes_.toolMode() || stage_ != SelectionStage::Selected) return;
    handleDrag_ = HandleDrag::Held;
    pressed_ = view_.selection;
    view_.toolBarShown = false;
    view_.optionBarShown = false;
    history_.resetToFirst();
}

void EditorSession::handleMove(int index, QPointF at) {
    if (index < 0 || index >= kHandleCount) return;
    setPointer(handleCursor(index));
    if (handleDrag_ != HandleDrag::Held) return;
    // Where the desktop is larger than its monitors the pointer can go where the
    // selection may not.
    const QPoint pointer =
        clampInto(QPoint(nearInt(float(at.x())), nearInt(float(at.y()))), monitors_.desktop());
    const PressEdges edges{pressed_.left, pressed_.top, pressed_.right(), pressed_.bottom()};
    view_.selection = resizeByHandle(index, view_.selection, edges, pointer);
    ImageMove();
    ShowSelectionSize();
    origin_ = QPointF(view_.selection.left, view_.selection.top);
    showLoupe(pointer);
}

void EditorSession::handleRelease(int) {
    hideLoupe();
    handleDrag_ = HandleDrag::Released;
    PlaceToolBar();
}

void EditorSession::PlaceToolBar() {
    const QPointF at =
        placeToolBar(view_.selection, QSizeF(kToolBarWidth, kToolBarHeight), selectionMonitor());
    view_.toolBarPos = QPoint(nearInt(float(at.x())), nearInt(float(at.y())));
    view_.toolBarShown = true;
    ++view_.toolBarPlaced;
}

void EditorSession::ShowSelectionSize() {
    view_.sizeText = sizeText(view_.selection.width, view_.selection.height);
}

void EditorSession::ImageMove() {
    view_.handlesShown = true;
}

void EditorSession::MoveDrag(float x, float y) {
    setPointer(Qt::SizeAllCursor);
    view_.selection =
        moveSelection(view_.selection, origin_, down_, QPointF(x, y), monitors_.desktop());
}

void EditorSession::NudgeSelection(QPoint step) {
    const SelBox s = view_.selection;
    view_.selection = moveSelection(s, {s.left, s.top}, {0, 0}, QPointF(step), monitors_.desktop());
    origin_ = QPointF(view_.selection.left, view_.selection.top);
    ImageMove();
    PlaceToolBar();
    if (view_.optionBarShown) strokes_.placeOptionBar();
}

// As a drag of the bottom-right handle: the same rules for tool mode and history.
void EditorSession::ResizeBottomRightBy(QPoint step) {
    if (history_.count() == 1) {
        strokes_.setToolMode(false);
        showReadOuts();
    }
    if (strokes_.toolMode()) return;
    history_.resetToFirst();
    view_.optionBarShown = false;
    const SelBox s = view_.selection;
    const QRect desktop = monitors_.desktop();
    const float right = std::min(s.right() + float(step.x()), float(desktop.right() + 1));
    const float bottom = std::min(s.bottom() + float(step.y()), float(desktop.bottom() + 1));
    // No flipping past the opposite edge, as with the handle.
    if (right < s.left || bottom < s.top) return;
    view_.selection = {s.left, s.top, right - s.left, bottom - s.top};
    ImageMove();
    ShowSelectionSize();
    origin_ = QPointF(view_.selection.left, view_.selection.top);
    PlaceToolBar();
}

// ---------------------------------------------------------------- history

void EditorSession::Undo() {
    if (history_.count() < 2) {
        history_.undo();
        BackToSelecting();
        return;
    }
    strokes_.undoStep();
}

void EditorSession::BackToSelecting() {
    stage_ = SelectionStage::Selecting;
    view_.outlineShown = false;
    view_.toolBarShown = false;
    view_.optionBarShown = false;
    hideReadOuts();
    view_.selection = {view_.selection.left, view_.selection.top, 0, 0};
    view_.handlesShown = false;
    strokes_.setToolMode(false);
}

// ---------------------------------------------------------------- finishing

void EditorSession::hideForCut() {
    hideLoupe();
    view_.outlineShown = false;
    hideReadOuts();
    view_.noticeAt.reset();
    view_.handlesShown = false;
    view_.toolBarShown = false;
    view_.optionBarShown = false;
}

void EditorSession::showCopied(const QString& text, QPoint at) {
    view_.colourText = QStringLiteral("已复制:%1").arg(text);
    if (!view_.readOutsShown && !view_.noticeAt) view_.noticeAt = at + QPoint(16, 16);
}

void EditorSession::leave() {
    hideLoupe();
    resetPointer();
}

} // namespace kv
