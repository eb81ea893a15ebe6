#pragma once

// The capture page CapturePage: PicMain, the capture commands, timed captures and the
// region editor.
#include "app/pageframe.h"
#include "capture/countdown.h"
#include "platform/clock.h"
#include "platform/picture.h"
#include "platform/picturebox.h"
#include "platform/platform.h"
#include "platform/screenreader.h"
#include "snapshot/frmsnap.h"
#include "snapshot/snaphost.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace kv {

class DesktopWindows;
class PinBoard;
class TextRecognition;
class TonePlayer;
class TrayIcon;

// What the capture page needs from the outside world.
struct CapturePageServices {
    Clock* clock = nullptr;
    ScreenReader* screen = nullptr;
    QString programDir; // folder of the executable
    // Found at start-up (installed or beside the program); programDir/app.ico and
    // programDir/用户图片 when left empty.
    QString iconFile;                  // app.ico, the tray icon
    QString captureFolder;             // timed captures; the save dialog starts there too
    DesktopWindows* windows = nullptr; // foreground window and window frames
    TonePlayer* tones = nullptr;       // countdown beeps
    TrayIcon* tray = nullptr;          // icon shown while the region editor is open
    OpeningProbe* probe = nullptr;     // told the steps of each editor opening (measurements)
    PinBoard* pins = nullptr;          // where a region is pinned to the screen
    TextRecognition* textRecognition = nullptr; // reads a region's text
    PlatformCapabilities capabilities;          // what the session allows
};

// The capture page of the main window: its picture box `PicMain`, the capture
// commands 5 to 8, the timed captures with their countdown and saved bitmap, the
// tray icon and the region editor opened from here.
class CapturePage : public QObject {
    Q_OBJECT
public:
    CapturePage(PageFrame& frame, QWidget* window, const CapturePageServices& services);
    ~CapturePage() override;

    // Shown with its resting picture.
    void setShown(bool shown);

    // The capture commands (Command::WindowCapture to Command::SaveRegion) act on a
    // click and first show this page.
    void LblColor_Click(int index);
    // Notification-area icon shown while the region editor is open.
    void AddTrayIcon(const QString& iconPath, const QString& tip);
    // The tray icon file and the folder of timed captures (where the save dialog
    // starts too), as found at start-up.
    QString iconFile() const;
    QString captureFolder() const;
    void RemoveTrayIcon();
    // What the screen shows, as a picture; an empty picture when nothing could be
    // read (no foreground window, an empty rectangle, a window that is gone).
    Picture CaptureScreen();
    Picture CaptureWindow(WId hWndSrc, bool Client, int LeftSrc, int TopSrc, int WidthSrc,
                          int HeightSrc);
    Picture CaptureActiveWindow();
    static Picture CreateBitmapPicture(const QImage& bitmap);
    // A capture the screen reader could not make: the reason on the tip line and in
    // a message box; nothing else changes.
    void ReportCaptureFailure(const QString& reason);
    // The countdowns: Timer2 full screen, Timer3 active window, one second each,
    // sharing one counter.
    void Timer2_Timer();
    void Timer3_Timer();
    qint16 captureCountdown() const { return countdown_.captureCountdown; }
    QTimer Timer2;
    QTimer Timer3;

    // ---- region editor ----
    void OpenRegionCapture(); // "区域截图"
    // Opens ahead what the first opening of the editor would open (the screen's
    // connection and shared memory, an editor's fonts and drawing), for idle time
    // after the main window's first frame. Reads the screen where reads are cheap;
    // shows nothing.
    void prepareRegionCapture();
    void SaveRegionImage(); // "保存图像"
    // Asks for a file name and saves the finished region in the format its extension
    // names. Cancelled or failed, the region keeps waiting; saved, it leaves the
    // clipboard (unless something was copied since) and the editor is discarded.
    void CutdSave();
    // A finished region waits for the save command.
    bool flaga() const { return flaga_; }
    // The region the editor handed back last; empty while none waits.
    const Picture& finishedRegion() const { return finished_.picture; }
    // The region editor while it is loaded (also while hidden after finishing); null
    // once it has unloaded itself.
    QPointer<FrmSnap> Snap;

    PictureBox* PicMain = nullptr;

private:
    void warmEditor(QSize screenSize);
    class EditorHost;
    CaptureCountdown::Actions countdownActions();
    void wireCaptureTimers();
    // The screen or a window as the capture routines read it, with the reason when
    // nothing could be read.
    ScreenGrab captureScreenGrab();
    ScreenGrab captureWindowGrab(WId window, bool client, int left, int top, int width, int height);
    ScreenGrab captureActiveWindowGrab();
    void FinishTimedCapture(CaptureKind kind);

    PageFrame& frame_;
    const UiScale& ui_ = frame_.scale(); // the frame's: the design at the desktop's scale
    QWidget* window_;
    CapturePageServices services_;
    QtCountdownTimer timer2Countdown_{Timer2};
    QtCountdownTimer timer3Countdown_{Timer3};
    CaptureCountdown countdown_{timer2Countdown_, timer3Countdown_, countdownActions()};
    // How the editor reaches the main window; it also owns a loaded editor.
    std::unique_ptr<SnapHost> snapHost_;
    FinishedRegion finished_;
    bool flaga_ = false;
};

} // namespace kv
