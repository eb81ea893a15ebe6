#pragma once

#include "capture/countdown.h"
#include "colour/screenpicker.h"
#include "colour/wheelbuffers.h"
#include "platform/clock.h"
#include "platform/picture.h"
#include "platform/picturebox.h"
#include "platform/pointer.h"
#include "platform/screenreader.h"
#include "platform/units.h"
#include "snapshot/frmsnap.h"
#include "snapshot/snaphost.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

namespace kv {

class ClickLabel;
class DesktopWindows;
class TonePlayer;
class TrayIcon;

// What the main window needs from the outside world, passed in by main() (and by
// tests, with fakes where a fake is enough).
struct FrmMainServices {
    Clock* clock = nullptr;
    ScreenReader* screen = nullptr;
    QString programDir; // folder of the executable: app.ico, 用户图片
    UiScale scale;      // the desktop's scale: the design drawn that much larger
    // ---- capture area: tone player, tray ----
    DesktopWindows* windows = nullptr; // foreground window and window frames
    TonePlayer* tones = nullptr;       // countdown beeps
    TrayIcon* tray = nullptr;          // icon shown while the region editor is open
    // ---- region editor area ----
};

// The main window: a fixed, borderless 561 x 465 frame (times the desktop's scale)
// that draws its own title bar, with a colour page and a capture page sharing the
// right panel.
class FrmMain : public QWidget {
    Q_OBJECT
public:
    explicit FrmMain(const FrmMainServices& services, QWidget* parent = nullptr);
    ~FrmMain() override;

    // ---- frame, pages, clock, tips and links ----
    void Form_Load();
    void ShowColourPage();
    void LblTrim_Click();
    void LblColr_Click();
    void Timer1_Timer();
    void Form_MouseMove();
    void ResetLinkLabels();
    void LblColor_MouseMove(int index);
    void LblWeb_MouseMove(int index);
    void LblWeb_MouseDown(int index);
    bool colourPageShown() const;
    // Title-bar buttons: hover, pressed and resting pictures; minimise and close.
    void ImgMin_MouseMove();
    void ImgMin_MouseDown();
    void ImgMin_Click();
    void ImgClose_MouseMove();
    void ImgClose_MouseDown();
    void ImgClose_Click();
    void Label3_Click();
    void ImgBanner_MouseMove();
    // A left press on the banner, its title or its icon moves the window.
    void ImgBanner_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void LblBanner_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void ImgIcon_MouseDown(Qt::MouseButton button, QPoint globalPos);
    // Page tabs underline on hover; their icons take the underline away.
    void LblColr_MouseMove();
    void LblTrim_MouseMove();
    void Image1_MouseMove();
    void Image2_MouseMove();

    // ---- current colour and channel sliders ----
    void SetCurrentColour(int red, int green, int blue);
    void RefreshColourPanel();
    void HSLR_Change() { channelChange(0); }
    void HSLG_Change() { channelChange(1); }
    void HSLB_Change() { channelChange(2); }
    // While the thumb is dragged: the panel follows it.
    void HSLR_Scroll() { HSLR_Change(); }
    void HSLG_Scroll() { HSLG_Change(); }
    void HSLB_Scroll() { HSLB_Change(); }
    void TxtClrVal_DblClick(int index);
    void TxtClrVal_MouseMove(int index);
    int refreshCount() const { return refreshCount_; }

    // Stored pictures: 0-2 title-bar button states, 3 wheel, 4-6 palettes,
    // 7 dropper icon, 8 the capture page's resting picture.
    std::array<Picture, 9> ImgTmp;

    // ---- widgets (public so that tests and the areas below can reach them) ----
    PictureBox* ImgBanner = nullptr;
    PictureBox* ImgIcon = nullptr;
    QLabel* LblBanner = nullptr;
    QLabel* Label4 = nullptr;
    PictureBox* ImgMin = nullptr;
    PictureBox* ImgMax = nullptr;
    PictureBox* ImgClose = nullptr;
    QLabel* Label3 = nullptr;
    PictureBox* Image1 = nullptr; // capture tab icon
    PictureBox* Image2 = nullptr; // colour tab icon
    QLabel* LblColr = nullptr;
    QLabel* LblTrim = nullptr;
    std::array<QLabel*, 9> LblColor{};
    QLabel* LblHelp = nullptr;
    QLabel* LblTime = nullptr;
    std::array<QLabel*, 4> LblWeb{};
    std::array<QLabel*, 2> LblRights{};
    PictureBox* PicMain = nullptr;

    PictureBox* ImgCLR = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 6> LblCLR{};
    std::array<QLineEdit*, 6> TxtClrVal{};
    QLabel* Label1 = nullptr;
    PictureBox* PicCLR = nullptr;
    QLabel* LblQSL = nullptr;
    QLabel* LblLight = nullptr;
    QLabel* LblFull = nullptr;
    QScrollBar* HSLL = nullptr;
    QScrollBar* HSLF = nullptr;
    QLabel* LblR = nullptr;
    QLabel* LblG = nullptr;
    QLabel* LblB = nullptr;
    QScrollBar* HSLR = nullptr;
    QScrollBar* HSLG = nullptr;
    QScrollBar* HSLB = nullptr;
    PictureBox* Picture1 = nullptr;
    std::array<QWidget*, 4> Line2{};

    QTimer Timer1;
    QString weekdayName;
    bool linkHover = false;

    // ---- colour sources area (dropper, wheel, palettes, hue/saturation) ----
    void LblColor_MouseDown(int index, Qt::MouseButton button);
    // Second half of LblColr_Click: show the stored wheel and rebuild its buffers.
    void PrepareWheel();
    // Draws the wheel and palette pictures into ImgTmp 3 to 6 and connects the hue
    // and saturation sliders; called once at the end of the constructor.
    void connectColourSources();
    // The dropper box and the wheel/palette box; buttons as Qt flags (left 1,
    // right 2, middle 4), a move carrying the buttons held.
    void Picture1_MouseDown(Qt::MouseButton button);
    void Picture1_MouseMove(Qt::MouseButtons buttons);
    void Picture1_MouseUp(Qt::MouseButton button);
    void ImgCLR_MouseDown(Qt::MouseButton button);
    void ImgCLR_MouseMove(Qt::MouseButtons buttons);
    void ImgCLR_MouseUp(Qt::MouseButton button);
    void PickScreenPixel();
    bool PickWithDesktopPicker();
    bool picking() const { return dropper_ && dropper_->picking; }
    // Hue and saturation sliders re-colour the wheel from its Y/U/V copy.
    void HSLF_Change();
    void HSLL_Change();
    void HSLF_Scroll() { HSLF_Change(); }
    void HSLL_Scroll() { HSLL_Change(); }
    void DoJob();
    // The wheel's pixel buffers and adjustment factors (built by PrepareWheel).
    WheelBuffers wheel;
    // Dropper state: the screen sampling (with its `picking` flag) and the pointer
    // shown while a pick drags across the screen.
    QCursor dropperCursor_;                   // made from the dropper icon ImgTmp 7
    std::unique_ptr<ScreenReader> ownScreen_; // when no reader was passed in
    std::unique_ptr<ScreenPicker> dropper_;
    DragPointer dragPointer_;

    // ---- capture area (capture routines, timed captures, tray) ----
    void LblColor_Click(int index);
    // Notification-area icon shown while the region editor is open.
    void AddTrayIcon(const QString& iconPath, const QString& tip);
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

private:
    CaptureCountdown::Actions countdownActions();
    bool wireCaptureTimers();
    void FinishTimedCapture(CaptureKind kind);
    QtCountdownTimer timer2Countdown_{Timer2};
    QtCountdownTimer timer3Countdown_{Timer3};
    CaptureCountdown countdown_{timer2Countdown_, timer3Countdown_, countdownActions()};
    // The timers are set up here, with the members above, so that the frame's
    // constructor needs to know nothing of them.
    bool captureTimersWired_ = wireCaptureTimers();

public:
    // ---- region editor area ----
    void OpenRegionCapture(); // "区域截图"
    void SaveRegionImage();   // "保存图像"
    // The region editor while it is loaded (also while hidden after finishing); null
    // once it has unloaded itself.
    QPointer<FrmSnap> Snap;
    // How the editor reaches this window; it also owns a loaded editor.
    std::unique_ptr<SnapHost> snapHost_;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildFrame();
    void buildColourPage();
    void channelChange(int channel);
    void startWindowDrag(Qt::MouseButton button, QPoint globalPos);
    bool frameEvent(QObject* watched, QEvent* event);
    // Each area routes the events of its own widgets; true means handled.
    bool colourSourcesEvent(QObject* watched, QEvent* event);
    bool captureEvent(QObject* watched, QEvent* event);
    bool snapshotEvent(QObject* watched, QEvent* event);
    void setUnderline(QLabel* label, bool on);

    FrmMainServices services_;
    const UiScale& ui_ = services_.scale;
    std::vector<QWidget*> colourPageSet_;
    int refreshCount_ = 0;
    QPoint dragOffset_;
    bool plainDrag_ = false;
};

} // namespace kv
