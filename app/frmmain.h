#pragma once

// The main window FrmMain: the frame around the colour page and the capture page.
#include "app/beforefirstframe.h"
#include "app/capturenotice.h"
#include "app/capturepage.h"
#include "app/colourpage.h"
#include "app/frameartwork.h"
#include "app/frameindices.h"
#include "app/pageframe.h"
#include "pin/pinboard.h"
#include "platform/clickablelabel.h"
#include "platform/clock.h"
#include "platform/picture.h"
#include "platform/picturebox.h"
#include "platform/platform.h"
#include "platform/screenreader.h"
#include "platform/units.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

namespace kv {

class TextRecognition;

class ColourMenu;
class DesktopWindows;
class TonePlayer;
class TrayIcon;

// What the main window needs from the outside world, passed in by main() (and by
// tests, with fakes where a fake is enough).
struct FrmMainServices {
    Clock* clock = nullptr;
    ScreenReader* screen = nullptr;
    QString programDir;                // folder of the executable
    QString iconFile;                  // app.ico; programDir/app.ico when empty
    QString captureFolder;             // timed captures; programDir/用户图片 when empty
    UiScale scale;                     // the desktop's scale: the design drawn that much larger
    DesktopWindows* windows = nullptr; // foreground window and window frames
    TonePlayer* tones = nullptr;       // countdown beeps
    TrayIcon* tray = nullptr;          // icon shown while the region editor is open
    OpeningProbe* probe = nullptr;     // told the steps of each editor opening (measurements)
    FrameArtworkDrawing* artwork = nullptr; // the pictures, drawn ahead; else drawn here
    PlatformCapabilities capabilities;      // what the session allows (an X session's unless set)
};

// The main window: a fixed, borderless 561 x 465 frame (times the desktop's scale)
// that draws its own title bar,
// banner, page tabs, command labels, tip line, clock line and links, around a work
// area that shows the colour page or the capture page.
class FrmMain : public QWidget, public PageFrame {
    Q_OBJECT
public:
    explicit FrmMain(const FrmMainServices& services, QWidget* parent = nullptr);
    ~FrmMain() override;

    // The labels' sizes and the drawn pictures, which the first frame needs and the
    // window's mapping does not. Done once: from the event loop after show(), or
    // sooner by a caller that needs them.
    void finishFirstFrame();

    // The colour page is built after the first frame is shown, or at its first use.
    ColourPage& colourPage();
    bool colourPageBuilt() const { return colourPage_ != nullptr; }
    CapturePage& capturePage() { return *capturePage_; }
    // The pins on the screen, which live as long as this window.
    PinBoard& pinBoard() { return *pins_; }
    // The colour preview's menu; made with the colour page.
    ColourMenu* colourMenu() { return colourMenu_.get(); }

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

    // PageFrame
    void SwitchPage(Page page) override;
    void ShowTip(const QString& tip) override;
    QWidget* frameWindow() override { return this; }
    std::array<Picture, StoredPicture::Count>& storedPictures() override { return ImgTmp; }
    const UiScale& scale() const override { return services_.scale; }

    // Stored pictures, indexed by StoredPicture.
    std::array<Picture, StoredPicture::Count> ImgTmp;

    // ---- the frame's widgets ----
    ClickableLabel* ImgBanner = nullptr;
    ClickableLabel* ImgIcon = nullptr;
    ClickableLabel* LblBanner = nullptr;
    QLabel* Label4 = nullptr;
    ClickableLabel* ImgMin = nullptr;
    PictureBox* ImgMax = nullptr;
    ClickableLabel* ImgClose = nullptr;
    ClickableLabel* Label3 = nullptr;
    ClickableLabel* Image1 = nullptr; // capture tab icon
    ClickableLabel* Image2 = nullptr; // colour tab icon
    ClickableLabel* LblColr = nullptr;
    ClickableLabel* LblTrim = nullptr;
    std::array<ClickableLabel*, kCommandCount> LblColor{}; // indexed by Command
    QLabel* LblHelp = nullptr;
    QLabel* LblTime = nullptr;
    std::array<ClickableLabel*, kLinkCount> LblWeb{};
    std::array<QLabel*, 2> LblRights{};

    QTimer Timer1;
    QString weekdayName;
    bool linkHover = false;
    CaptureNotice captureNotice_; // the capture commands' tip before the desktop asks

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildFrame();
    void buildTitleBar();
    void buildNavigation();
    void buildStatusBar();
    void startWindowDrag(Qt::MouseButton button, QPoint globalPos);
    void connectTitleBar();
    void connectNavigation();

    // Widgets made after the constructor (the colour page) get what it gives its own.
    void adoptNewChildren(const QList<QWidget*>& before);
    // The drawn pictures into their boxes; the banner drawn again unless it fits.
    void placeArtwork();
    void placeBanner(QImage drawn);

    FrmMainServices services_;
    const UiScale& ui_ = services_.scale;
    BeforeFirstFrame* firstFrame_ = nullptr; // until finishFirstFrame() ran
    bool laidOut_ = false;                   // labels fitted, pictures placed
    std::unique_ptr<PinBoard> pins_;
    TextRecognition* textRecognition_ = nullptr; // a child of this window
    std::unique_ptr<CapturePage> capturePage_;
    std::unique_ptr<ColourPage> colourPage_;
    std::unique_ptr<ColourMenu> colourMenu_;
    bool loaded_ = false;
    bool colourPageScheduled_ = false;
    QPoint dragOffset_;
    bool plainDrag_ = false;
};

} // namespace kv
