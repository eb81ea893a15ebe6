#pragma once

// The region editor without its window: the selection's stages, handles and moves,
// the drawing tools, the history and the keys, driven by plain calls in editor pixels
// and answering with what the window must show (EditorView).
#include "platform/monitors.h"
#include "snapshot/editorview.h"
#include "snapshot/history.h"
#include "snapshot/strokesession.h"
#include "snapshot/surface.h"

#include <QImage>
#include <QString>

namespace kv {

// What the session asks of the window it runs in: what needs the window itself, the
// pointer or the clipboard.
class EditorEffects {
public:
    virtual ~EditorEffects() = default;
    // Cuts the selection and hands it back ("完成截图").
    virtual void finishRegion() = 0;
    // Leaves without a picture (Esc, "退出截屏", the closing right click).
    virtual void closeEditor() = 0;
    // The pointer itself moves to `desktopPos` (arrow keys).
    virtual void warpPointer(QPoint desktopPos) = 0;
    // `text` goes to the clipboard as plain text.
    virtual void copyText(const QString& text) = 0;
    // A button or key of Kolvane's own action (EditorAction) on the second bar.
    virtual void editorAction(int /*action*/) {}
};

// Where the pointer is and whether a button is held when a key arrives.
struct KeyContext {
    bool buttonHeld = false;
    QPoint pointer;         // on the desktop
    QPoint pointerInEditor; // in the editor window's own pixels
};

// The selection's two stages: none yet ("draw"), or one to adjust and draw on ("move").
enum class SelectionStage { Selecting, Selected };
// The state of a handle drag.
enum class HandleDrag { None, Held, Released };

class EditorSession {
public:
    EditorSession(EditorEffects& effects, const QFont& textFont);

    // ---- opening ----
    // A fresh start on `shot`, the frozen desktop as `monitors` lay it out: no selection,
    // the tool options as a new editor has them, the history started with the shot.
    void load(const QImage& shot, const Monitors& monitors);
    // Shown again after finishing: the committed picture, every overlay hidden, the
    // state kept.
    void showAgain();

    // ---- the stage, readable as the text the main window sets and reads ----
    SelectionStage stage() const { return stage_; }
    QString statusText() const;
    void setStatusText(const QString& status);

    // ---- mouse on the picture: buttons as flags (left 1, right 2, middle 4) ----
    void press(int button, float x, float y);
    void move(int buttons, float x, float y);
    void release(int button, float x, float y);
    void doubleClick();

    // ---- handles 0..7 (see handlePositions) ----
    void handlePress(int index);
    void handleMove(int index, QPointF at);
    void handleRelease(int index);

    // ---- tool-bar buttons (ToolButton) and keys ----
    void clickButton(int index);
    EditorEffects& effects() { return effects_; }
    // A key was used: the keys' tip has done its work for this showing.
    void markKeysUsed() { view_.keysUsed = true; }
    // The text box's text changed (typed); it widens with it.
    void textChanged(const QString& text);
    void setToolOptions(const ToolOptions& options) { strokes_.setOptions(options); }

    // ---- finishing and leaving ----
    // Hides what never goes into a cut: outline, read-outs, handles, bars, loupe.
    void hideForCut();
    // Drops a figure without extent left by the first click of a double click.
    void dropUncommitted() { surface_.setCommitted(surface_.committed()); }
    void leave();
    // The colour read-out names `text` as copied; with no selection it stands beside
    // `at` until the next press or move.
    void showCopied(const QString& text, QPoint at);

    // ---- what it holds ----
    const EditorView& view() const { return view_; }
    const SelBox& selection() const { return view_.selection; }
    void setSelection(const SelBox& box) { view_.selection = box; }
    const Monitors& monitors() const { return monitors_; }
    QRect selectionMonitor() const { return barMonitor(view_.selection, monitors_); }
    Surface& surface() { return surface_; }
    const Surface& surface() const { return surface_; }
    History& history() { return history_; }
    const History& history() const { return history_; }
    const StrokeSession& strokes() const { return strokes_; }
    StrokeSession& strokes() { return strokes_; }
    bool toolMode() const { return strokes_.toolMode(); }
    bool justCleared() const { return justCleared_; }
    HandleDrag handleDrag() const { return handleDrag_; }
    QPointF origin() const { return origin_; }
    QPointF lastPress() const { return down_; }
    // The colour value (0x00BBGGRR) the read-out names at (x, y); -1 off the picture.
    int surfacePixel(float x, float y) const;

    // ---- operations the tool bar, keys and history share ----
    void PlaceToolBar();
    void ShowSelectionSize();
    void ImageMove();
    void MoveDrag(float x, float y);
    void NudgeSelection(QPoint step);
    void ResizeBottomRightBy(QPoint step);
    void Commit() { strokes_.commit(); }
    void Undo();
    void Redo() { strokes_.redo(); }
    void BackToSelecting();

private:
    void clearSelection(float x, float y);
    void showReadOuts() { view_.readOutsShown = true; }
    void hideReadOuts() { view_.readOutsShown = false; }
    void dismissNotice();
    void setPointer(Qt::CursorShape shape) {
        view_.pointer = shape;
        ++view_.pointerSet;
    }
    void resetPointer() {
        view_.pointer.reset();
        ++view_.pointerSet;
    }
    void showLoupe(QPoint at);
    void hideLoupe() { view_.loupeAt.reset(); }

    EditorEffects& effects_;
    Monitors monitors_;
    Surface surface_;
    History history_;
    EditorView view_;
    StrokeSession strokes_;

    SelectionStage stage_ = SelectionStage::Selecting;
    // While a selection is dragged out: its anchor; otherwise the selection's top-left
    // corner as of the last release or handle drag, the base of a move.
    QPointF origin_;
    QPointF down_;             // the last press on the picture
    SelRect selRect_;          // the selection in pixels at the last press that tested it
    bool justCleared_ = false; // the last press cleared a selection: a non-left release stays
    HandleDrag handleDrag_ = HandleDrag::None;
    SelBox pressed_; // the selection as a handle press found it
};

} // namespace kv
