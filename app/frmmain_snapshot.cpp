// The main window's side of the region editor: opening it and saving its region.
#include "app/frmmain.h"
#include "platform/windowgone.h"

#include <QElapsedTimer>
#include <QWindow>

namespace kv {

namespace {

// The editor's way back to the main window. It owns the loaded editor, so an editor
// that is still hidden after finishing goes with the main window.
class MainWindowSnapHost final : public SnapHost {
public:
    explicit MainWindowSnapHost(FrmMain& main) : main_(main) {}
    ~MainWindowSnapHost() override { delete main_.Snap.data(); }
    void SnapShowMainWindow() override {
        // Back where it was hidden. A window the user dragged through the window manager
        // still counts as placed by it, and would be placed anew (centred, under openbox)
        // when mapped again; an explicit position keeps it where the user put it.
        if (QWindow* window = main_.windowHandle()) window->setFramePosition(main_.pos());
        main_.show();
        main_.raise();
        main_.activateWindow();
    }
    void SnapRemoveTrayIcon() override { main_.RemoveTrayIcon(); }
    void SnapShowPicture(const Picture& picture) override { main_.PicMain->setPicture(picture); }
    void SnapUnloaded() override {
        if (FrmSnap* snap = main_.Snap.data()) {
            main_.Snap = nullptr;
            snap->deleteLater();
        }
    }

private:
    FrmMain& main_;
};

} // namespace

void FrmMain::OpenRegionCapture() {
    QElapsedTimer clock;
    clock.start();
    LblTrim_Click();
    // The frozen picture must not show this window: wait until it has left the screen,
    // also when a window manager frames it.
    hideAndWaitOffScreen(this, services_.screen);
    const double hiddenMs = clock.nsecsElapsed() / 1e6;
    AddTrayIcon(services_.programDir + QStringLiteral("/app.ico"), QStringLiteral("Kolvane"));
    if (!snapHost_) snapHost_ = std::make_unique<MainWindowSnapHost>(*this);
    if (Snap) {
        // Hidden after finishing, still loaded: shown again without a new picture.
        Snap->openClock = clock;
        Snap->openTimeline = {{QStringLiteral("main window gone"), hiddenMs}};
        Snap->ShowAgain();
    } else {
        FrmSnapServices s;
        s.screen = services_.screen;
        s.host = snapHost_.get();
        s.programDir = services_.programDir;
        Snap = new FrmSnap(s);
        Snap->openClock = clock;
        Snap->openTimeline = {{QStringLiteral("main window gone"), hiddenMs}};
        Snap->Form_Load();
        // A screen that could not be read at all (a desktop portal that is missing or
        // refused): no editor on a black picture, the main window back as it was.
        const QString failure = services_.screen ? services_.screen->lastFailure() : QString();
        if (!failure.isEmpty()) {
            Snap->CloseEditor();
            ReportCaptureFailure(failure);
            return;
        }
        Snap->ShowEditor();
    }
    Snap->Status = QStringLiteral("draw");
    Snap->setCursor(Qt::CrossCursor);
    Snap->flaga = false;
}

void FrmMain::SaveRegionImage() {
    LblTrim_Click();
    // Only a finished region that still waits can be saved.
    if (Snap && Snap->flaga) Snap->CutdSave();
}

bool FrmMain::snapshotEvent(QObject*, QEvent*) {
    return false;
}

} // namespace kv
