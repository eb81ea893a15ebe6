// The main window's frame: building it, loading it, switching pages, the clock, tips and
// links.
#include "app/frmmain.h"

#include "app/artwork.h"
#include "app/beforefirstframe.h"
#include "app/clockline.h"
#include "app/colourmenu.h"
#include "app/framestyle.h"
#include "app/frametexts.h"
#include "app/textrecognition.h"
#include "imageio/clipboardencoder.h"
#include "platform/units.h"
#include "platform/waylandscale.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <functional>
#include <utility>

namespace kv {
namespace {

// A glyph drawn over a title-bar button; it lets the mouse through to the button.
class GlyphWidget : public QWidget {
public:
    GlyphWidget(QWidget* parent, std::function<void(QPainter&, const QRect&)> draw)
        : QWidget(parent), draw_(std::move(draw)) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        draw_(p, rect());
    }

private:
    std::function<void(QPainter&, const QRect&)> draw_;
};

template <typename Box = ClickableLabel>
Box* makePicture(QWidget* parent, QRect r, const Picture& pic) {
    auto* b = new Box(parent);
    b->setGeometry(r);
    b->setPicture(pic);
    return b;
}

QFont boldFont(QFont f) {
    f.setBold(true);
    return f;
}

// What the capture page is given of the main window's outside world.
CapturePageServices captureServicesFrom(const FrmMainServices& services) {
    CapturePageServices capture;
    capture.clock = services.clock;
    capture.screen = services.screen;
    capture.programDir = services.programDir;
    capture.iconFile = services.iconFile;
    capture.captureFolder = services.captureFolder;
    capture.windows = services.windows;
    capture.tones = services.tones;
    capture.tray = services.tray;
    capture.probe = services.probe;
    capture.capabilities = services.capabilities;
    return capture;
}

// Pins are copied as regions are and saved where finished regions are.
PinContext pinContextFor(const FrmMainServices& services, std::function<QString()> saveFolder) {
    PinContext context;
    context.clipboardEncoder = encodeForClipboard;
    context.saveFolder = std::move(saveFolder);
    ScreenReader* screen = services.screen;
    if (screen) context.monitors = [screen] { return screen->monitors(); };
    context.placesOwnWindows = services.capabilities.placesOwnWindows;
    // A compositor scales our windows by its outputs' scale: their sides must divide.
    if (!context.placesOwnWindows) context.sizeStep = waylandOutputScale;
    return context;
}

} // namespace

FrmMain::FrmMain(const FrmMainServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setWindowTitle(QStringLiteral("Kolvane"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setFixedSize(ui_.twips(8415), ui_.twips(6975));
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowBack);
    setPalette(pal);

    // The drawn pictures are filled in by placeArtwork(), into these same objects.
    using SP = StoredPicture;
    for (int i : {SP::ButtonRest, SP::ButtonHover, SP::ButtonPressed, SP::Dropper, SP::CaptureRest})
        ImgTmp[i] = Picture(QImage());
    // The wheel and the palettes: white boxes until the colour page draws them.
    for (int i = SP::Wheel; i <= SP::GradientPalette; ++i)
        ImgTmp[i] = Picture(QImage(187, 169, QImage::Format_RGB32));
    for (int i = SP::Wheel; i <= SP::GradientPalette; ++i)
        ImgTmp[i].mutableImage().fill(Qt::white);

    buildFrame();
    pins_ = std::make_unique<PinBoard>(
        pinContextFor(services_, [this] { return capturePage_->captureFolder(); }));
    textRecognition_ = new TextRecognition(this, *this, services_.programDir);
    pins_->setTextRecognition(
        [this](const QImage& picture) { textRecognition_->recognise(picture); });
    connectTitleBar();
    connectNavigation();
    CapturePageServices capture = captureServicesFrom(services_);
    capture.pins = pins_.get();
    capture.textRecognition = textRecognition_;
    capturePage_ = std::make_unique<CapturePage>(*this, this, capture);
    // The colour page (its wheel and palette pictures among it) waits until the
    // window is on the screen: the first frame shows the capture page.
    adoptNewChildren({});
    // Measuring the labels' text (loading the font, hinting its glyphs) is the
    // longest part of building the window, and the pictures come from a worker:
    // both wait until the window manager is mapping the window.
    firstFrame_ = new BeforeFirstFrame(this, [this] { finishFirstFrame(); });

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
}

FrmMain::~FrmMain() = default;

void FrmMain::adoptNewChildren(const QList<QWidget*>& before) {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (before.contains(child)) continue;
        if (auto* l = qobject_cast<QLabel*>(child); l && !l->wordWrap() && laidOut_) fitLabel(l);
        child->setMouseTracking(true);
    }
}

ColourPage& FrmMain::colourPage() {
    if (colourPage_) return *colourPage_;
    // The page makes its dropper cursor from a picture placed here.
    finishFirstFrame();
    const QList<QWidget*> before = findChildren<QWidget*>();
    colourPage_ =
        std::make_unique<ColourPage>(*this, this, services_.screen, services_.capabilities);
    colourMenu_ = std::make_unique<ColourMenu>(*colourPage_, *this);
    adoptNewChildren(before);
    ImgBanner->lower();
    if (loaded_) colourPage_->Form_Load();
    colourPage_->setShown(false);
    return *colourPage_;
}

void FrmMain::finishFirstFrame() {
    if (laidOut_) return;
    if (firstFrame_) std::exchange(firstFrame_, nullptr)->deleteLater();
    placeArtwork();
    LblBanner->adjustSize();
    laidOut_ = true;
    for (QLabel* l : findChildren<QLabel*>())
        if (!l->wordWrap()) fitLabel(l);
}

void FrmMain::placeArtwork() {
    FrameArtwork artwork = services_.artwork ? services_.artwork->take() : FrameArtwork{};
    if (artwork.captureCube.isNull()) artwork = DrawFrameArtwork(ui_);
    for (int i = 0; i < 3; ++i)
        ImgTmp[StoredPicture::ButtonRest + i].mutableImage() = artwork.titleButton[i];
    ImgTmp[StoredPicture::Dropper].mutableImage() = artwork.dropper;
    ImgTmp[StoredPicture::CaptureRest].mutableImage() = artwork.captureCube;
    ImgIcon->setPicture(Picture(artwork.programIcon));
    Image2->setPicture(Picture(artwork.colourTab));
    Image1->setPicture(Picture(artwork.captureTab));
    placeBanner(std::move(artwork.banner));
}

void FrmMain::placeBanner(QImage drawn) {
    if (drawn.size() != ImgBanner->size()) drawn = artwork::Banner(ImgBanner->size(), ui_.factor());
    ImgBanner->setPicture(Picture(std::move(drawn)));
}

void FrmMain::buildFrame() {
    buildTitleBar();
    buildNavigation();
    buildStatusBar();
}

void FrmMain::buildTitleBar() {
    const QFont bold = boldFont(font());
    // Banner, placed again by Form_Load as it was designed.
    ImgBanner = makePicture(this, ui_.twipsRect(15, 10, 8385, 450), Picture());
    ImgIcon = makePicture(this, ui_.twipsRect(120, 120, 270, 225), Picture());
    ImgIcon->setFixedSize(ui_.twips(270), ui_.twips(225));
    LblBanner = makeClickableLabel(this, QStringLiteral("Kolvane"),
                                   ui_.twipsRect(480, 150, 900, 180), kTextBlue);
    LblBanner->setFont(bold);

    ImgMin =
        makePicture(this, ui_.twipsRect(7370, 15, 300, 300), ImgTmp[StoredPicture::ButtonRest]);
    ImgMax = makePicture<PictureBox>(this, ui_.twipsRect(7682, 15, 300, 300),
                                     ImgTmp[StoredPicture::ButtonPressed]);
    ImgClose =
        makePicture(this, ui_.twipsRect(7995, 15, 300, 300), ImgTmp[StoredPicture::ButtonRest]);
    // The minimise glyph: a short thick line.
    auto* line4 =
        new GlyphWidget(this, [](QPainter& p, const QRect& all) { p.fillRect(all, kTextBlue); });
    line4->setGeometry(ui_.twips(7445), ui_.twips(200) - ui_.px(1), ui_.px(10), ui_.px(2));
    // The maximise glyph: a window outline with a title bar, in lines one designed
    // pixel thick.
    auto* shape6 = new GlyphWidget(this, [ui = ui_](QPainter& p, const QRect&) {
        auto line = [&](int x, int y, int w, int h) {
            p.fillRect(QRect(QPoint(ui.px(x), ui.px(y)),
                             QPoint(ui.px(x + w), ui.px(y + h)) - QPoint(1, 1)),
                       kTextBlue);
        };
        line(0, 0, 11, 1);
        line(0, 7, 11, 1);
        line(0, 0, 1, 8);
        line(10, 0, 1, 8);
        line(0, 1, 11, 1);
    });
    shape6->setGeometry(ui_.twips(7750), ui_.twips(120), ui_.twips(165), ui_.twips(120));
    Label3 =
        makeClickableLabel(this, QStringLiteral("×"), ui_.twipsRect(8048, 75, 195, 180), kTextBlue);
    Label3->setFont(bold);
    Label3->setAlignment(Qt::AlignCenter);

    Label4 = makeLabel(this, QStringLiteral("V1.1.0"), ui_.twipsRect(5040, 1080, 630, 180),
                       QColor(110, 130, 160));
}

void FrmMain::buildNavigation() {
    const QFont bold = boldFont(font());
    Image2 = makePicture(this, ui_.twipsRect(120, 1560, 720, 720), Picture());
    LblColr = makeClickableLabel(this, QStringLiteral("取色"), ui_.twipsRect(840, 1837, 390, 180),
                                 kTextBlue);
    LblColr->setFont(bold);
    Image1 = makePicture(this, ui_.twipsRect(120, 3360, 720, 720), Picture());
    LblTrim = makeClickableLabel(this, QStringLiteral("屏幕截图"),
                                 ui_.twipsRect(840, 3630, 780, 180), kTextBlue);
    LblTrim->setFont(bold);
    LblColr->setCursor(Qt::PointingHandCursor);
    LblTrim->setCursor(Qt::PointingHandCursor);

    const int commandTop[kCommandCount] = {2280, 2520, 2760, 3000, 3240, 4320, 4080, 4560, 4800};
    for (int i = 0; i < kCommandCount; ++i) {
        const int width = i == Command::ColourDialog ? 900 : (isColourCommand(i) ? 540 : 720);
        LblColor[i] =
            makeClickableLabel(this, frametexts::CommandCaption(i),
                               ui_.twipsRect(840, commandTop[i], width, 180), kCommandBlue);
        LblColor[i]->setCursor(Qt::PointingHandCursor);
    }
}

void FrmMain::buildStatusBar() {
    LblHelp =
        makeLabel(this, frametexts::WelcomeTip(), ui_.twipsRect(2520, 1830, 2700, 180), kTipOrange);
    // The longest tips are twice the designed width: the tip line runs to the border.
    LblHelp->resize(width() - LblHelp->x() - ui_.px(2), LblHelp->height());
    LblTime = makeLabel(this, QString(), ui_.twipsRect(2557, 6510, 2700, 180), kTipOrange);

    const QRect webRects[kLinkCount] = {
        ui_.twipsRect(217, 6510, 1620, 180), ui_.twipsRect(577, 5550, 900, 180),
        ui_.twipsRect(6120, 6517, 720, 180), ui_.twipsRect(7320, 6517, 720, 180)};
    for (int i = 0; i < kLinkCount; ++i) {
        LblWeb[i] = makeClickableLabel(this, frametexts::LinkCaption(i), webRects[i], kLinkRest);
        LblWeb[i]->setCursor(Qt::PointingHandCursor);
    }
    const QColor rights(120, 130, 145);
    LblRights[0] =
        makeLabel(this, frametexts::RightsLine(0), ui_.twipsRect(255, 5220, 1900, 180), rights);
    LblRights[1] =
        makeLabel(this, frametexts::RightsLine(1), ui_.twipsRect(172, 5898, 1900, 180), rights);
}

void FrmMain::Form_Load() {
    LblTrim_Click();
    ImgBanner->setGeometry(ui_.twips(10), ui_.twips(10), width() - ui_.twips(30),
                           ImgBanner->height());
    if (laidOut_) placeBanner(ImgBanner->picture().image());
    ImgBanner->lower();
    if (colourPage_) colourPage_->Form_Load();
    loaded_ = true;
    LblTime->setText(FormatClockLine(services_.clock->now(), &weekdayName));
    // Empty until now, so sized with its first text (with the others if not yet).
    if (laidOut_) fitLabel(LblTime);
    Timer1.start();
}

void FrmMain::SwitchPage(Page page) {
    const bool colour = page == Page::Colour;
    if (colour || colourPage_) colourPage().setShown(colour);
    capturePage_->setShown(!colour);
}

void FrmMain::ShowTip(const QString& tip) {
    LblHelp->setText(tip);
}

void FrmMain::ShowColourPage() {
    SwitchPage(Page::Colour);
}

void FrmMain::LblTrim_Click() {
    SwitchPage(Page::Capture);
}

void FrmMain::LblColr_Click() {
    ShowColourPage();
    colourPage().PrepareWheel();
}

bool FrmMain::colourPageShown() const {
    return !capturePage_->PicMain->isVisible() && colourPage_ && colourPage_->shown();
}

void FrmMain::Timer1_Timer() {
    LblTime->setText(FormatClockLine(services_.clock->now(), &weekdayName));
}

// ---- hover, tips and links ----

void FrmMain::Form_MouseMove() {
    ImgMin->setPicture(ImgTmp[StoredPicture::ButtonRest]);
    ImgClose->setPicture(ImgTmp[StoredPicture::ButtonRest]);
    setUnderline(LblColr, false);
    setUnderline(LblTrim, false);
    LblHelp->setText(frametexts::WelcomeTip());
    if (colourPage_) colourPage_->ResetHover();
    if (linkHover) ResetLinkLabels();
}

void FrmMain::ResetLinkLabels() {
    for (QLabel* l : LblWeb) {
        setTextColour(l, kLinkVisited);
        setUnderline(l, false);
    }
    for (QLabel* l : LblColor)
        setUnderline(l, false);
}

void FrmMain::LblColor_MouseMove(int index) {
    setUnderline(LblColor[index], true);
    linkHover = true;
    // The capture commands (5 to 7) first say what the desktop is about to ask.
    const QString notice = index >= 5 && index <= 7 ? captureNotice_.text() : QString();
    LblHelp->setText(notice.isEmpty() ? frametexts::CommandTip(index) : notice);
}

void FrmMain::LblWeb_MouseMove(int index) {
    setTextColour(LblWeb[index], kLinkHover);
    setUnderline(LblWeb[index], true);
    linkHover = true;
    const QString tip = frametexts::LinkTip(index);
    if (!tip.isEmpty()) LblHelp->setText(tip);
}

void FrmMain::LblWeb_MouseDown(int index) {
    setTextColour(LblWeb[index], kLinkVisited);
    const QString target = frametexts::LinkTarget(index);
    if (!target.isEmpty()) QDesktopServices::openUrl(QUrl(target));
}

} // namespace kv
