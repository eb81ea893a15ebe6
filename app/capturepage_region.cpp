// The capture page's side of the region editor: opening it and saving its region.
#include "app/capturepage.h"

#include "platform/windowgone.h"

#include <QElapsedTimer>
#include <QWindow>

namespace kv {

// The editor's way back to the main window. It owns the loaded editor, so an editor
// that is still hidden after finishing goes with the page.
class CapturePage::EditorHost final : public SnapHost {
public:
    explicit EditorHost(CapturePage& page) : page_(page) {}
    ~EditorHost() override { delete page_.Snap.data(); }
    void SnapShowMainWindow() override {
        // Back where it was hidden. A window the user dragged through the window manager
        // still counts as placed by it, and would be placed anew (centred, under openbox)
        // when mapped again; an explicit position keeps it where the user put it.
        QWidget* main = page_.window_;
        if (QWindow* window = main->windowHandle()) window->setFramePosition(main->pos());
        main->show();
        main->raise();
        main->activateWindow();
    }
    void SnapRemoveTrayIcon() override { page_.RemoveTrayIcon(); }
    void SnapShowPicture(const Picture& picture) override { page_.PicMain->setPicture(picture); }
    void SnapUnloaded() override {
        if (FrmSnap* snap = page_.Snap.data()) {
            page_.Snap = nullptr;
            snap->deleteLater();
        }
    }

private:
    CapturePage& page_;
};

void CapturePage::OpenRegionCapture() {
    QElapsedTimer clock;
    clock.start();
    frame_.SwitchPage(PageFrame::Page::Capture);
    // The frozen picture must not show this window: wait until it has left the screen,
    // also when a window manager frames it.
    hideAndWaitOffScreen(window_, services_.screen);
    const double hiddenMs = clock.nsecsElapsed() / 1e6;
    AddTrayIcon(iconFile(), QStringLiteral("Kolvane"));
    if (!snapHost_) snapHost_ = std::make_unique<EditorHost>(*this);
    if (Snap) {
        // Hidden after finishing, still loaded: shown again without a new picture.
        Snap->openClock = clock;
        Snap->openTimeline = {{QStringLiteral("main window gone"), hiddenMs}};
        Snap->ShowAgain();
    } else {
        FrmSnapServices s;
        s.screen = services_.screen;
        s.host = snapHost_.get();
        s.saveFolder = captureFolder();
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

void CapturePage::SaveRegionImage() {
    frame_.SwitchPage(PageFrame::Page::Capture);
    // Only a finished region that still waits can be saved.
    if (Snap && Snap->flaga) Snap->CutdSave();
}

} // namespace kv
