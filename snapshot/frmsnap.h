#pragma once

// The full-screen region editor FrmSnap.
#include "loupe/loupe.h"
#include "platform/picture.h"
#include "platform/screenreader.h"
#include "snapshot/desktopcover.h"
#include "snapshot/editorsession.h"
#include "snapshot/editorwidgets.h"
#include "snapshot/openingprobe.h"
#include "snapshot/overlays.h"
#include "snapshot/snaphost.h"

#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <array>

namespace kv {

// What the editor is given by whoever opens it.
struct FrmSnapServices {
    ScreenReader* screen = nullptr; // the frozen picture and the screen size
    SnapHost* host = nullptr;       // the main window
    OpeningProbe* probe = nullptr;  // told the steps of each opening (measurements only)
};

// The full-screen region editor. It covers the screen with a frozen picture of it, so
// editor coordinates are screen pixels; the user selects a region, adjusts it, draws on
// it and finishes or leaves.
//
// The window only turns events into calls on its EditorSession, which holds the
// selection, the tools and the history, and copies the session's view onto its
// widgets after each call. A fresh session state starts at every load.
class FrmSnap : public QWidget, private EditorEffects {
    Q_OBJECT
public:
    explicit FrmSnap(const FrmSnapServices& services, QWidget* parent = nullptr);
    ~FrmSnap() override;

    EditorSession& session() { return session_; }
    const EditorSession& session() const { return session_; }
    EditorOverlays overlays() const { return widgets_.overlays(); }

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
    // "draw" (no selection yet) or "move" (a selection exists).
    QString Status() const { return session_.statusText(); }
    void SetStatus(const QString& status) { session_.setStatusText(status); }
    // The desktop's monitors as the last load found them; the frozen picture covers them.
    const Monitors& monitors() const { return session_.monitors(); }
    // The monitor the tool bar and the option bar stand on.
    QRect selectionMonitor() const { return session_.selectionMonitor(); }
    // One window per output where the editor cannot cover several by itself; null
    // while the editor has a window of its own.
    const OutputViews* outputViews() const { return cover_.views(); }

    // ---- history ----
    int historyCount() const { return session_.history().count(); }
    int historyTop() const { return session_.history().top(); }
    void WriteP(int n, const Picture& picture) { session_.history().WriteP(n, picture.image()); }
    Picture ReadP(int n) const { return Picture(session_.history().ReadP(n)); }

    // ---- selection, handles and tool bar: forwards to the session ----
    const SelBox& selection() const { return session_.selection(); }
    void Form_MouseDown(int button, float x, float y);
    void Form_MouseMove(int button, float x, float y);
    void Form_MouseUp(int button, float x, float y);
    void Form_DblClick();
    void Image1_MouseDown(int index);
    void Image1_MouseMove(int index, QPointF screenPos);
    void Image1_MouseUp(int index);
    // A click on tool-bar button `index` (ToolButton): arms a tool, undoes, redoes,
    // finishes or leaves.
    void Image2_Click(int index);
    void PlaceToolBar();
    // A key while no text box is open; false when the key is not the editor's.
    bool EditorKeyPress(int key, Qt::KeyboardModifiers modifiers);
    // The pixel under the pointer as "#RRGGBB" (or "RGB(r,g,b)") on the clipboard.
    void CopyPixelNotation(bool rgb);
    // The tip naming the editor's keys, shown with the read-outs until a key is used.
    static const QString& keysTip();
    const Loupe& loupe() const { return widgets_.loupe(); }

    // ---- finishing (frmsnap_finish.cpp) ----
    // Cuts the selection, hands it to the host and hides the editor, which stays
    // loaded so that the next region capture shows it again.
    void FinishRegion();
    // Cuts what the editor shows in a rectangle of screen pixels (right and bottom
    // exclusive) to the clipboard; an empty picture where the rectangle holds none.
    FinishedRegion ScrnCap(int left, int top, int right, int bottom);
    // What the editor shows in its selection now: the picture with everything drawn
    // on it, without any overlay.
    QImage selectionPicture();

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
    // EditorEffects
    void finishRegion() override { FinishRegion(); }
    void closeEditor() override { CloseEditor(); }
    void warpPointer(QPoint desktopPos) override;
    void copyText(const QString& text) override;

    void connectWidgets();
    void applyView() { widgets_.apply(); }
    void markOpening(const QString& step) {
        if (services_.probe) services_.probe->OpeningReached(step);
    }

    FrmSnapServices services_;
    EditorSession session_;
    EditorWidgets widgets_;
    bool unloaded_ = false;
    bool framePending_ = false;
    // Last, so that it is gone (and the editor its own window again) before the rest.
    DesktopCover cover_{this};
};

} // namespace kv
