// The capture commands of the main window: the capture routines, the timed
// captures with their countdown and saved bitmap, and the tray icon.
#include "app/frmmain.h"

#include "capture/capturefile.h"
#include "capture/screencapture.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/x11windows.h"

#include <QDir>
#include <QMessageBox>

namespace kv {
namespace {

// Stands in when the main window was given no window information (some tests):
// the screen is still readable, no window is in the foreground.
class NoWindows final : public DesktopWindows {
public:
    WId desktopWindow() const override { return 0; }
    WId activeWindow() const override { return 0; }
    QRect windowRect(WId, bool) const override { return {}; }
};

const QString kNoActiveWindowTip = QStringLiteral("此桌面不告知活动窗口，窗体截图将截取全屏。");

} // namespace

void FrmMain::LblColor_Click(int index) {
    if (index < 5 || index > 8) return;
    LblTrim_Click();
    switch (index) {
    case 5:
        if (services_.windows && !services_.windows->knowsActiveWindow())
            LblHelp->setText(kNoActiveWindowTip);
        countdown_.start(CaptureKind::ActiveWindow);
        break;
    case 6:
        OpenRegionCapture();
        break;
    case 7:
        countdown_.start(CaptureKind::FullScreen);
        break;
    case 8:
        SaveRegionImage();
        break;
    }
}

bool FrmMain::wireCaptureTimers() {
    Timer2.setInterval(1000);
    Timer3.setInterval(1000);
    // The beeps are the user's only clock for the countdown: keep them a second
    // apart rather than letting Qt shift each tick by up to 50 ms to save wake-ups.
    Timer2.setTimerType(Qt::PreciseTimer);
    Timer3.setTimerType(Qt::PreciseTimer);
    connect(&Timer2, &QTimer::timeout, this, &FrmMain::Timer2_Timer);
    connect(&Timer3, &QTimer::timeout, this, &FrmMain::Timer3_Timer);
    return true;
}

CaptureCountdown::Actions FrmMain::countdownActions() {
    return {[this](int frequency, int duration) {
                if (services_.tones) services_.tones->Beep(frequency, duration);
            },
            [this](CaptureKind kind) { FinishTimedCapture(kind); }};
}

void FrmMain::Timer2_Timer() {
    countdown_.tick(CaptureKind::FullScreen);
}

void FrmMain::Timer3_Timer() {
    countdown_.tick(CaptureKind::ActiveWindow);
}

// The third tick: capture, show the picture on the capture page and save it
// beside the program. A save that fails is told to the user; the capture stays.
void FrmMain::FinishTimedCapture(CaptureKind kind) {
    // Where no one tells which window is active, the whole screen is the best there is.
    const bool wholeInstead = kind == CaptureKind::ActiveWindow && services_.windows &&
                              !services_.windows->knowsActiveWindow();
    const Picture picture =
        kind == CaptureKind::FullScreen || wholeInstead ? CaptureScreen() : CaptureActiveWindow();
    const QString failure = services_.screen ? services_.screen->lastFailure() : QString();
    if (picture.isNull() && !failure.isEmpty()) {
        ReportCaptureFailure(failure);
        return;
    }
    if (wholeInstead) LblHelp->setText(kNoActiveWindowTip);
    PicMain->setPicture(picture);
    SystemClock systemClock;
    const Clock& clock = services_.clock ? *services_.clock : systemClock;
    const CaptureSaveResult saved =
        saveCaptureBitmap(PicMain->picture().image(), services_.programDir, clock);
    if (saved.ok()) return;
    // Not modal: the other countdown, if one runs, goes on while the box is up.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kolvane"),
                                QStringLiteral("截图未能保存到文件：\n%1\n\n原因：%2")
                                    .arg(QDir::toNativeSeparators(saved.path), saved.error),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

Picture FrmMain::CaptureScreen() {
    if (!services_.screen) return {};
    NoWindows none;
    ScreenCapture capture(*services_.screen, services_.windows ? *services_.windows : none);
    return CreateBitmapPicture(capture.captureScreen());
}

Picture FrmMain::CaptureWindow(WId hWndSrc, bool Client, int LeftSrc, int TopSrc, int WidthSrc,
                               int HeightSrc) {
    if (!services_.screen) return {};
    NoWindows none;
    ScreenCapture capture(*services_.screen, services_.windows ? *services_.windows : none);
    return CreateBitmapPicture(
        capture.captureWindow(hWndSrc, Client, LeftSrc, TopSrc, WidthSrc, HeightSrc));
}

Picture FrmMain::CaptureActiveWindow() {
    if (!services_.screen || !services_.windows) return {};
    ScreenCapture capture(*services_.screen, *services_.windows);
    return CreateBitmapPicture(capture.captureActiveWindow());
}

Picture FrmMain::CreateBitmapPicture(const QImage& bitmap) {
    if (bitmap.isNull()) return {};
    return Picture(bitmap);
}

void FrmMain::ReportCaptureFailure(const QString& reason) {
    LblHelp->setText(QStringLiteral("截图失败：%1").arg(reason));
    // Not modal, as the save failure above.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Kolvane"),
                                QStringLiteral("未能截取屏幕。\n\n原因：%1").arg(reason),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void FrmMain::AddTrayIcon(const QString& iconPath, const QString& tip) {
    if (services_.tray) services_.tray->show(iconPath, tip);
}

void FrmMain::RemoveTrayIcon() {
    if (services_.tray) services_.tray->hide();
}

bool FrmMain::captureEvent(QObject*, QEvent*) {
    return false;
}

} // namespace kv
