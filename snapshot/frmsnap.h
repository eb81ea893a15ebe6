#pragma once

// The full-screen region editor FrmSnap.
#include "loupe/loupe.h"
#include "platform/picture.h"
#include "platform/screenreader.h"
#include "snapshot/desktopcover.h"
#include "snapshot/history.h"
#include "snapshot/openingprobe.h"
#include "snapshot/overlays.h"
#include "snapshot/selection.h"
#include "snapshot/snaphost.h"
#include "snapshot/snapstate.h"
#include "snapshot/surface.h"
#include "snapshot/tool.h"

#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace kv {

// What the editor is given by whoever opens it.
struct FrmSnapServices {
    ScreenReader* screen = nullptr; // the frozen picture and the screen size
    SnapHost* host = nullptr;       // the main window
    OpeningProbe* probe = nullptr;  // told the steps of each opening (measurements only)
    // Where one window cannot cover every output (see PlatformCapabilities), one per output.
    bool oneWindowCoversAllOutputs = true;
};

// The full-screen region editor. It covers the screen with a frozen picture of it, so
// editor coordinates are screen pixels; the user selects a region, adjusts it, draws on
// it and finishes or leaves.
//
// The window turns events into calls of its handlers below; the geometry, the surface
// layers, the history and the drawing tools live in plain classes (selection.h,
// surface.h, history.h, tool.h). Its state (SnapState) starts afresh at every load.
class FrmSnap : public QWidget, public SnapState {
    Q_OBJECT
public:
    explicit FrmSnap(const FrmSnapServices& services, QWidget* parent = nullptr);
    ~FrmSnap() override;

    // ---- window ----
    // The load sequence: fresh state, the frozen picture (taken now, while the window is
    // not visible), the history started with it.
    void Form_Load();
    // Shows the loaded editor over the whole screen, not modal.
    void ShowEditor();
    // A region capture while the editor is hidden but still loaded: the committed
    // picture again, every overlay hidden; the state is kept.
    void ShowAgain();
    void Form_KeyPress(int keyAscii);
    // Leaves without a picture: unloads the editor and brings the main window back.
    void CloseEditor();
    // Discards the editor: hidden for good, its state goes with it (the host deletes it).
    void Unload();
    bool unloaded() const { return unloaded_; }
    // Why the last load could not read the screen (its picture is black then); empty
    // when it could.
    const QString& freezeFailure() const { return freezeFailure_; }
    // The desktop's monitors as the last load found them; the frozen picture covers them.
    const Monitors& monitors() const { return monitors_; }
    // The monitor the tool bar and the option bar stand on.
    QRect selectionMonitor() const { return barMonitor(selection(), monitors_); }
    // One window per output where the editor cannot cover several by itself; null
    // while the editor has a window of its own.
    const OutputViews* outputViews() const { return cover_.views(); }

    // ---- surface and history (history steps in frmsnap_draw.cpp) ----
    Surface surface;
    History history;
    int historyCount() const { return history.count(); }
    int historyTop() const { return history.top(); }
    void WriteP(int n, const Picture& picture) { history.WriteP(n, picture.image()); }
    Picture ReadP(int n) const { return Picture(history.ReadP(n)); }
    // Persistent mode, clear and drawing on the current target (see Surface).
    void SetPersistent(bool on) { surface.setPersistent(on); }
    void ClearSurface() { surface.clear(); }
    void PaintSurface(const std::function<void(QPainter&)>& draw, const QRect& bounds = QRect()) {
        surface.paint(draw, bounds);
    }
    // The working image becomes the committed picture and is pushed onto the history.
    void Commit();
    void Undo();
    void Redo();
    // Leaves drawing and returns to region selection (undo past the snapshot).
    void BackToSelecting();

    // ---- selection ----
    // The selection is the outline's geometry.
    const SelBox& selection() const { return Shape1->box(); }
    void setSelection(const SelBox& box) { Shape1->setBox(box); }
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(int button, float x, float y);
    void Form_MouseUp(int button, float x, float y);
    void Form_DblClick();
    void PlaceToolBar();
    // Stacks the size, colour and hint read-outs at the selection's top-left corner.
    void StackReadOuts();
    // The size read-out after the selection changed, restacked beside the others.
    void ShowSelectionSize();
    // The colour read-out from the surface drawn on now; -1 for an unreadable pixel.
    int surfacePixel(float x, float y) const;

    // ---- handles and moving (frmsnap_handles.cpp) ----
    void ImageMove();
    void Image1_MouseDown(int index);
    void Image1_MouseMove(int index, QPointF screenPos);
    void Image1_MouseUp(int index);
    void MoveDrag(float x, float y);

    // ---- loupe and keys (frmsnap_keys.cpp) ----
    // The loupe beside the pointer, drawn from the picture the editor shows (never
    // from the live screen, never with the overlays); it keeps off the read-outs.
    void ShowLoupe(QPoint hot);
    void HideLoupe();
    const Loupe& loupe() const { return loupe_; }
    // A key while no text box is open; false when the key is not the editor's.
    bool EditorKeyPress(int key, Qt::KeyboardModifiers modifiers);
    // The pointer itself moves (and drags whatever a held button holds).
    void NudgePointer(QPoint step);
    // A finished selection moved, kept inside the desktop, as a move drag does.
    void NudgeSelection(QPoint step);
    // The bottom-right edge moved, with the bottom-right handle's rules.
    void ResizeBottomRightBy(QPoint step);
    // The pixel under the pointer as "#RRGGBB" (or "RGB(r,g,b)") on the clipboard.
    void CopyPixelNotation(bool rgb);
    // The tip naming the editor's keys, shown with the read-outs until a key is used.
    static const QString& keysTip();

    // ---- drawing (frmsnap_draw.cpp) ----
    // Called by the surface handlers while toolMode is true (press, move) or a stroke is
    // in progress (release).
    void toolPress(int button, float x, float y);
    void toolMove(int button, float x, float y);
    void toolRelease(int button, float x, float y);
    // The tool toolKind names; nullptr while none is armed.
    Tool* armedTool() const;
    // What the armed tool draws against: the surface, the options, the selection.
    ToolContext toolContext();
    // Builds the tool bar's buttons, the option bar and the text box's behaviour.
    void buildToolArea();

    // ---- finishing (frmsnap_finish.cpp) ----
    // Cuts the selection, hands it to the host and hides the editor, which stays
    // loaded so that the next region capture shows it again.
    void FinishRegion();
    // Cuts what the editor shows in a rectangle of screen pixels (right and bottom
    // exclusive) to the clipboard; an empty picture where the rectangle holds none.
    FinishedRegion ScrnCap(int left, int top, int right, int bottom);

    // ---- overlays (never part of the picture) ----
    SelectionOutline* Shape1 = nullptr;
    std::array<HandleBox*, kHandleCount> Image1{};
    QLabel* LblPos = nullptr;
    QLabel* lblInfo = nullptr;
    QLabel* LblHelp = nullptr;
    QLabel* LblKeys = nullptr;
    ToolBarPanel* Picture1 = nullptr; // tool bar
    QWidget* Picture2 = nullptr;      // option bar
    QLineEdit* TextEdit = nullptr;

    // ---- tool bar and pickers area ----
    // Built by buildToolArea (frmsnap_draw.cpp, toolbar.h, optionbar.h).
    class ToolBar* toolBar = nullptr;
    class OptionBar* optionBar = nullptr;
    // A click on tool-bar button `index`: arms a tool, undoes, redoes, finishes or leaves.
    void Image2_Click(int index);
    // A click on a drawing tool's button: draws typed text, then opens, keeps or closes
    // the tool's option bar and arms the tool.
    void ArmTool(int index);
    // Puts the option bar 3 pixels below the tool bar, or above it near the screen bottom.
    void PlaceOptionBar();
    // Opens the empty text box with its top-left corner at (x, y), focused.
    void OpenTextEdit(int x, int y);
    // The text box's colour and font size from the options.
    void StyleTextEdit();
    // Draws the text box's text into the picture and commits it; an empty box just closes.
    void DrawStr();
    // The text box widens with its text.
    void TextEdit_Change();
    // The colour of the next stroke.
    QColor currentColour() const;
    // The font text of `points` points is typed and drawn in.
    QFont textFont(float points) const;

signals:
    // The first frame after ShowEditor() has been painted and handed to the display.
    void firstFramePainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildOverlays();
    void hideReadOuts();
    bool keysTipFits() const;
    void showReadOuts();
    void hideHandles();
    void markOpening(const QString& step) {
        if (services_.probe) services_.probe->OpeningReached(step);
    }

    FrmSnapServices services_;
    QString freezeFailure_;
    std::array<std::unique_ptr<Tool>, kToolCount> tools_; // one per ToolKind, Arrow first
    Monitors monitors_;
    Loupe loupe_;
    bool keysUsed_ = false;       // the keys' tip has done its work for this load
    bool copyNoticeOnly_ = false; // lblInfo shows only a copy notice, no selection
    bool unloaded_ = false;
    bool framePending_ = false;
    // Last, so that it is gone (and the editor its own window again) before the rest.
    DesktopCover cover_{this, services_.oneWindowCoversAllOutputs};
};

} // namespace kv
