// The capture page's side of the region editor: opening it, keeping the region it
// hands back and saving that region.
#include "app/capturepage.h"

#include "imageio/encoders.h"
#include "imageio/pictureformat.h"
#include "imageio/savedialog.h"
#include "imageio/savepicfile.h"
#include "platform/windowgone.h"

#include <QDir>
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
    void SnapFinished(const FinishedRegion& region) override {
        page_.PicMain->setPicture(region.picture);
        page_.finished_ = region;
        page_.flaga_ = true;
    }
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
    OpeningProbe* probe = services_.probe;
    if (probe) probe->OpeningAsked();
    frame_.SwitchPage(PageFrame::Page::Capture);
    // The frozen picture must not show this window: wait until it has left the screen,
    // also when a window manager frames it.
    hideAndWaitOffScreen(window_, services_.screen);
    if (probe) probe->OpeningReached(QStringLiteral("main window gone"));
    AddTrayIcon(iconFile(), QStringLiteral("Kolvane"));
    // A region finished earlier is no longer saved by the save command.
    flaga_ = false;
    finished_.picture = Picture();
    if (!snapHost_) snapHost_ = std::make_unique<EditorHost>(*this);
    if (Snap) {
        // Hidden after finishing, still loaded: shown again without a new picture.
        Snap->ShowAgain();
    } else {
        FrmSnapServices s;
        s.screen = services_.screen;
        s.host = snapHost_.get();
        s.probe = probe;
        Snap = new FrmSnap(s);
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
    Snap->SetStatus(QStringLiteral("draw"));
    Snap->setCursor(Qt::CrossCursor);
}

void CapturePage::SaveRegionImage() {
    frame_.SwitchPage(PageFrame::Page::Capture);
    // Only a finished region that still waits can be saved.
    if (flaga_) CutdSave();
}

void CapturePage::CutdSave() {
    // The dialog opens where timed captures go; a first save makes that folder.
    const QString folder = captureFolder();
    QDir().mkpath(folder);
    const std::optional<QString> name = askSavePictureName(folder);
    // Cancelled: the region keeps waiting for another try.
    if (!name) return;
    // A failed save has been reported; the region still waits, on the clipboard
    // too, so the user can try another name or folder.
    const EncodeSettings settings; // JPEG quality 80, TIFF 24 bits uncompressed
    if (!SavePicFile(finished_.picture, *name, formatKeyOf(*name), settings.jpegQuality,
                     settings.tiffColourDepth, settings.tiffCompression))
        return;

    // Only our region is cleared away; something copied since then stays.
    finished_.clipboard.clearIfHeld();
    finished_.picture = Picture();
    flaga_ = false;
    if (Snap) Snap->Unload();
}

} // namespace kv
