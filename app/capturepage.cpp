// The capture page: the capture commands, the capture routines, the timed captures
// with their countdown and saved bitmap, and the tray icon.
#include "app/capturepage.h"

#include "capture/capturefile.h"
#include "capture/screencapture.h"
#include "platform/pictureclipboard.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/units.h"
#include "platform/x11windows.h"

#include <QDir>
#include <QMessageBox>

namespace kv {
namespace {

// Stands in when the page was given no window information (some tests): the screen
// is still readable, no window is in the foreground.
class NoWindows final : public DesktopWindows {
public:
    WId desktopWindow() const override { return 0; }
    WId activeWindow() const override { return 0; }
    QRect windowRect(WId, bool) const override { return {}; }
};

const QString kNoActiveWindowTip = QStringLiteral("此桌面不告知活动窗口，窗体截图将截取全屏。");

} // namespace

CapturePage::CapturePage(PageFrame& frame, QWidget* window, const CapturePageServices& services)
    : frame_(frame), window_(window), services_(services) {
    PicMain = new PictureBox(window_);
    PicMain->setGeometry(ui_.twipsRect(2160, 2280, 6015, 3855));
    PicMain->setPicture(frame_.storedPictures()[StoredPicture::CaptureRest]);
    wireCaptureTimers();
}

CapturePage::~CapturePage() = default;

void CapturePage::setShown(bool shown) {
    PicMain->setVisible(shown);
    if (shown) PicMain->setPicture(frame_.storedPictures()[StoredPicture::CaptureRest]);
}

void CapturePage::LblColor_Click(int index) {
    if (!isCaptureCommand(index)) return;
    frame_.SwitchPage(PageFrame::Page::Capture);
    switch (index) {
    case Command::WindowCapture:
        if (services_.windows && !services_.windows->knowsActiveWindow())
            frame_.ShowTip(kNoActiveWindowTip);
        countdown_.start(CaptureKind::ActiveWindow);
        break;
    case Command::RegionCapture:
        OpenRegionCapture();
        break;
    case Command::FullScreenCapture:
        countdown_.start(CaptureKind::FullScreen);
        break;
    case Command::SaveRegion:
        SaveRegionImage();
        break;
    }
}

void CapturePage::wireCaptureTimers() {
    Timer2.setInterval(1000);
    Timer3.setInterval(1000);
    // The beeps are the user's only clock for the countdown: keep them a second
    // apart rather than letting Qt shift each tick by up to 50 ms to save wake-ups.
    Timer2.setTimerType(Qt::PreciseTimer);
    Timer3.setTimerType(Qt::PreciseTimer);
    connect(&Timer2, &QTimer::timeout, this, &CapturePage::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &CapturePage::Timer3_Timer);
}

CaptureCountdown::Actions CapturePage::countdownActions() {
    return {[this](int frequency, int duration) {
                if (services_.tones) services_.tones->Beep(frequency, duration);
            },
            [this](CaptureKind kind) { FinishTimedCapture(kind); }};
}

void CapturePage::Timer2_Timer() {
    countdown_.tick(CaptureKind::FullScreen);
}

void CapturePage::Timer3_Timer() {
    countdown_.tick(CaptureKind::ActiveWindow);
}

// The third tick: capture, show the picture on the capture page and save it
// beside the program. A save that fails is told to the user; the capture stays.
void CapturePage::FinishTimedCapture(CaptureKind kind) {
    // Where no one tells which window is active, the whole screen is the best there is.
    const bool wholeInstead = kind == CaptureKind::ActiveWindow && services_.windows &&
                              !services_.windows->knowsActiveWindow();
    const ScreenGrab grabbed = kind == CaptureKind::FullScreen || wholeInstead
                                   ? captureScreenGrab()
                                   : captureActiveWindowGrab();
    const Picture picture = CreateBitmapPicture(grabbed.image);
    if (picture.isNull() && grabbed.failed()) {
        ReportCaptureFailure(grabbed.failure);
        return;
    }
    if (wholeInstead) frame_.ShowTip(kNoActiveWindowTip);
    PicMain->setPicture(picture);
    SystemClock systemClock;
    const Clock& clock = services_.clock ? *services_.clock : systemClock;
    const CaptureSaveResult saved =
        saveCaptureBitmap(PicMain->picture().image(), captureFolder(), clock);
    if (saved.ok()) return;
    // The capture is not lost with the next one: it waits on the clipboard.
    QString text = QStringLiteral("截图未能保存到文件：\n%1\n\n原因：%2")
                       .arg(QDir::toNativeSeparators(saved.path), saved.error);
    if (!picture.isNull()) {
        PictureClipboard().put(picture);
        text += QStringLiteral("\n\n截图已放到剪贴板上，可以粘贴到其他程序中保存。");
    }
    // Not modal: the other countdown, if one runs, goes on while the box is up.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kolvane"), text,
                                QMessageBox::Ok, window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

QString CapturePage::iconFile() const {
    return services_.iconFile.isEmpty() ? services_.programDir + QStringLiteral("/app.ico")
                                        : services_.iconFile;
}

QString CapturePage::captureFolder() const {
    return services_.captureFolder.isEmpty() ? kv::captureFolder(services_.programDir)
                                             : services_.captureFolder;
}

Picture CapturePage::CaptureScreen() {
    return CreateBitmapPicture(captureScreenGrab().image);
}

Picture CapturePage::CaptureWindow(WId hWndSrc, bool Client, int LeftSrc, int TopSrc, int WidthSrc,
                                   int HeightSrc) {
    return CreateBitmapPicture(
        captureWindowGrab(hWndSrc, Client, LeftSrc, TopSrc, WidthSrc, HeightSrc).image);
}

Picture CapturePage::CaptureActiveWindow() {
    return CreateBitmapPicture(captureActiveWindowGrab().image);
}

ScreenGrab CapturePage::captureScreenGrab() {
    if (!services_.screen) return {};
    NoWindows none;
    ScreenCapture capture(*services_.screen, services_.windows ? *services_.windows : none);
    return capture.captureScreen();
}

ScreenGrab CapturePage::captureWindowGrab(WId window, bool client, int left, int top, int width,
                                          int height) {
    if (!services_.screen) return {};
    NoWindows none;
    ScreenCapture capture(*services_.screen, services_.windows ? *services_.windows : none);
    return capture.captureWindow(window, client, left, top, width, height);
}

ScreenGrab CapturePage::captureActiveWindowGrab() {
    if (!services_.screen || !services_.windows) return {};
    ScreenCapture capture(*services_.screen, *services_.windows);
    return capture.captureActiveWindow();
}

Picture CapturePage::CreateBitmapPicture(const QImage& bitmap) {
    if (bitmap.isNull()) return {};
    return Picture(bitmap);
}

void CapturePage::ReportCaptureFailure(const QString& reason) {
    frame_.ShowTip(QStringLiteral("截图失败：%1").arg(reason));
    // Not modal, as the save failure above.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kolvane"),
                                QStringLiteral("未能截取屏幕。\n\n原因：%1").arg(reason),
                                QMessageBox::Ok, window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void CapturePage::AddTrayIcon(const QString& iconPath, const QString& tip) {
    if (services_.tray) services_.tray->show(iconPath, tip);
}

void CapturePage::RemoveTrayIcon() {
    if (services_.tray) services_.tray->hide();
}

} // namespace kv
