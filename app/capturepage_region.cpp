// The capture page's side of the region editor: opening it, keeping the region it
// hands back and saving that region.
#include "app/capturepage.h"

#include "app/textrecognition.h"
#include "imageio/encoders.h"
#include "imageio/pictureformat.h"
#include "imageio/savedialog.h"
#include "imageio/savepicfile.h"
#include "longcapture/longcapture.h"
#include "pin/pinboard.h"
#include "platform/scroller.h"
#include "platform/windowgone.h"

#include <QDir>
#include <QScreen>
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
    void SnapPin(const QImage& picture, const QRect& selection) override {
        if (PinBoard* pins = page_.services_.pins) pins->pin(picture, selection.topLeft());
    }
    void SnapRecognise(const QImage& picture) override {
        if (TextRecognition* ocr = page_.services_.textRecognition) ocr->recognise(picture);
    }
    bool SnapCanLongCapture() const override {
        return page_.services_.screen && scroller().canScroll();
    }
    void SnapLongCapture(const QRect& selection,
                         std::function<void(const QImage& page)> done) override {
        ScreenReader& screen = *page_.services_.screen;
        longCapture_ =
            std::make_unique<LongCapture>(screen, scroller(), selection, screen.monitors(),
                                          [this, done](const LongCaptureResult& result) {
                                              done(result.kept ? result.picture : QImage());
                                              longCapture_.release()->deleteLater();
                                          });
        longCapture_->start();
    }
    void SnapUnloaded() override {
        if (FrmSnap* snap = page_.Snap.data()) {
            page_.Snap = nullptr;
            snap->deleteLater();
        }
    }

private:
    // Opened with the first long capture: it needs a connection of its own.
    Scroller& scroller() const {
        if (!scroller_) scroller_ = createScroller();
        return *scroller_;
    }

    CapturePage& page_;
    mutable std::unique_ptr<Scroller> scroller_;
    std::unique_ptr<LongCapture> longCapture_;
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
        s.windows = services_.windows;
        s.oneWindowCoversAllOutputs = services_.capabilities.oneWindowCoversAllOutputs;
        Snap = new FrmSnap(s);
        Snap->Form_Load();
        // A screen that could not be read at all (a desktop portal that is missing or
        // refused): no editor on a black picture, the main window back as it was.
        if (const QString failure = Snap->freezeFailure(); !failure.isEmpty()) {
            Snap->CloseEditor();
            ReportCaptureFailure(failure);
            return;
        }
        Snap->ShowEditor();
    }
    Snap->SetStatus(QStringLiteral("draw"));
    Snap->setCursor(Qt::CrossCursor);
}

void CapturePage::prepareRegionCapture() {
    // The screen reader opens its connection at its first use, and the X reader its
    // shared memory (as large as the screen) at its first read. A read of the whole
    // screen sets both up and also has every page of that memory touched once, by
    // the server and by us: the first freeze otherwise spent about 35 ms on those
    // first touches alone. The picture goes at once; its memory stays for the next.
    // Only where reads are cheap: a portal's read is a whole screenshot request.
    // Then the main window's area once, which hiding reads several times: its
    // pictures' memory is then also at hand in our heap.
    QSize screenSize;
    if (services_.screen && services_.capabilities.samplesLive) {
        screenSize = services_.screen->monitors().root.size();
        services_.screen->grab(QRect(QPoint(0, 0), screenSize));
        services_.screen->grab(window_->frameGeometry());
    }
    // Elsewhere the connection that tells when the main window has left the screen.
    else if (services_.screen)
        services_.screen->prepareForCapture();
    if (screenSize.isEmpty() && window_->screen())
        screenSize = window_->screen()->geometry().size() * window_->screen()->devicePixelRatio();
    warmEditor(screenSize);
}

void CapturePage::warmEditor(QSize screenSize) {
    // An editor built once, unseen, and drawn into a picture of the screen's size:
    // the first opening then finds the fonts, styles and drawing paths it uses, and
    // a screen-sized block of memory, ready (bench_first_opening: the first opening
    // took 1.05-1.2 times a later one without this, 0.98-1.0 times with it).
    if (screenSize.isEmpty()) return;
    FrmSnap unseen{FrmSnapServices()};
    QImage canvas(screenSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    unseen.setGeometry(QRect(QPoint(0, 0), screenSize));
    unseen.render(&canvas);
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
