#include "app/frmmain.h"

#include "app/artwork.h"
#include "app/clockline.h"
#include "app/framestyle.h"
#include "app/frametexts.h"
#include "platform/units.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <functional>

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

PictureBox* makePicture(QWidget* parent, QRect r, const Picture& pic) {
    auto* b = new PictureBox(parent);
    b->setGeometry(r);
    b->setPicture(pic);
    return b;
}

QFont boldFont(QFont f) {
    f.setBold(true);
    return f;
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

    const double scale = ui_.factor();
    ImgTmp[0] = Picture(artwork::TitleButton(0, scale));
    ImgTmp[1] = Picture(artwork::TitleButton(1, scale));
    ImgTmp[2] = Picture(artwork::TitleButton(2, scale));
    for (int i = 3; i <= 6; ++i)
        ImgTmp[i] = Picture(QImage(187, 169, QImage::Format_RGB32));
    for (int i = 3; i <= 6; ++i)
        ImgTmp[i].mutableImage().fill(Qt::white);
    ImgTmp[7] = Picture(artwork::DropperIcon(scale));
    ImgTmp[8] = Picture(artwork::CaptureCube(ui_.px(QSize(401, 257))));

    buildFrame();
    CapturePageServices capture;
    capture.clock = services_.clock;
    capture.screen = services_.screen;
    capture.programDir = services_.programDir;
    capture.iconFile = services_.iconFile;
    capture.captureFolder = services_.captureFolder;
    capture.windows = services_.windows;
    capture.tones = services_.tones;
    capture.tray = services_.tray;
    capturePage_ = std::make_unique<CapturePage>(*this, this, capture);
    // The colour page (its wheel and palette pictures among it) waits until the
    // window is on the screen: the first frame shows the capture page.
    adoptNewChildren({});

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);
}

FrmMain::~FrmMain() = default;

void FrmMain::adoptNewChildren(const QList<QWidget*>& before) {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (before.contains(child)) continue;
        if (auto* l = qobject_cast<QLabel*>(child); l && !l->wordWrap()) fitLabel(l);
        child->installEventFilter(this);
        child->setMouseTracking(true);
    }
}

ColourPage& FrmMain::colourPage() {
    if (colourPage_) return *colourPage_;
    const QList<QWidget*> before = findChildren<QWidget*>();
    colourPage_ = std::make_unique<ColourPage>(*this, this, services_.screen);
    adoptNewChildren(before);
    ImgBanner->lower();
    if (loaded_) colourPage_->Form_Load();
    colourPage_->setShown(false);
    return *colourPage_;
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
    ImgIcon = makePicture(this, ui_.twipsRect(120, 120, 270, 225),
                          Picture(artwork::ProgramIcon(15, ui_.factor())));
    ImgIcon->setFixedSize(ui_.twips(270), ui_.twips(225));
    LblBanner =
        makeLabel(this, QStringLiteral("Kolvane"), ui_.twipsRect(480, 150, 900, 180), kTextBlue);
    LblBanner->setFont(bold);
    LblBanner->adjustSize();

    ImgMin = makePicture(this, ui_.twipsRect(7370, 15, 300, 300), ImgTmp[0]);
    ImgMax = makePicture(this, ui_.twipsRect(7682, 15, 300, 300), ImgTmp[2]);
    ImgClose = makePicture(this, ui_.twipsRect(7995, 15, 300, 300), ImgTmp[0]);
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
    Label3 = makeLabel(this, QStringLiteral("×"), ui_.twipsRect(8048, 75, 195, 180), kTextBlue);
    Label3->setFont(bold);
    Label3->setAlignment(Qt::AlignCenter);

    Label4 = makeLabel(this, QStringLiteral("V1.1.0"), ui_.twipsRect(5040, 1080, 630, 180),
                       QColor(110, 130, 160));
}

void FrmMain::buildNavigation() {
    const QFont bold = boldFont(font());
    Image2 = makePicture(this, ui_.twipsRect(120, 1560, 720, 720),
                         Picture(artwork::ColourTabIcon(ui_.px(48))));
    LblColr =
        makeLabel(this, QStringLiteral("取色"), ui_.twipsRect(840, 1837, 390, 180), kTextBlue);
    LblColr->setFont(bold);
    Image1 = makePicture(this, ui_.twipsRect(120, 3360, 720, 720),
                         Picture(artwork::CaptureTabIcon(ui_.px(48))));
    LblTrim =
        makeLabel(this, QStringLiteral("屏幕截图"), ui_.twipsRect(840, 3630, 780, 180), kTextBlue);
    LblTrim->setFont(bold);
    LblColr->setCursor(Qt::PointingHandCursor);
    LblTrim->setCursor(Qt::PointingHandCursor);

    const int commandTop[9] = {2280, 2520, 2760, 3000, 3240, 4320, 4080, 4560, 4800};
    for (int i = 0; i < 9; ++i) {
        const int width = i == 4 ? 900 : (i < 5 ? 540 : 720);
        LblColor[i] = makeLabel(this, frametexts::CommandCaption(i),
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

    const QRect webRects[4] = {
        ui_.twipsRect(217, 6510, 1620, 180), ui_.twipsRect(577, 5550, 900, 180),
        ui_.twipsRect(6120, 6517, 720, 180), ui_.twipsRect(7320, 6517, 720, 180)};
    for (int i = 0; i < 4; ++i) {
        LblWeb[i] = makeLabel(this, frametexts::LinkCaption(i), webRects[i], kLinkRest);
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
    ImgBanner->setPicture(Picture(artwork::Banner(ImgBanner->size(), ui_.factor())));
    ImgBanner->lower();
    if (colourPage_) colourPage_->Form_Load();
    loaded_ = true;
    LblTime->setText(FormatClockLine(services_.clock->now(), &weekdayName));
    fitLabel(LblTime); // empty until now, so sized with its first text
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
    ImgMin->setPicture(ImgTmp[0]);
    ImgClose->setPicture(ImgTmp[0]);
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
    LblHelp->setText(frametexts::CommandTip(index));
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

// ---- title bar, window dragging and page tabs ----

void FrmMain::ImgMin_MouseMove() {
    ImgMin->setPicture(ImgTmp[1]);
}

void FrmMain::ImgMin_MouseDown() {
    ImgMin->setPicture(ImgTmp[2]);
}

void FrmMain::ImgMin_Click() {
    // The button keeps its pressed picture until the mouse next crosses the banner
    // or the background.
    showMinimized();
}

void FrmMain::ImgClose_MouseMove() {
    ImgClose->setPicture(ImgTmp[1]);
}

void FrmMain::ImgClose_MouseDown() {
    ImgClose->setPicture(ImgTmp[2]);
}

void FrmMain::ImgClose_Click() {
    // Leaves the event loop in order rather than killing the process, so that a
    // clipboard manager can still take a finished region.
    QCoreApplication::exit(0);
}

void FrmMain::Label3_Click() {
    ImgClose_Click();
}

void FrmMain::ImgBanner_MouseMove() {
    ImgMin->setPicture(ImgTmp[0]);
    ImgClose->setPicture(ImgTmp[0]);
}

void FrmMain::ImgBanner_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::LblBanner_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::ImgIcon_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    startWindowDrag(button, globalPos);
}

void FrmMain::startWindowDrag(Qt::MouseButton button, QPoint globalPos) {
    if (button != Qt::LeftButton) return;
    // Let the window manager move us as if the caption were dragged; where none
    // answers, follow the pointer ourselves.
    QWindow* win = windowHandle();
    plainDrag_ = !(win && win->startSystemMove());
    dragOffset_ = globalPos - frameGeometry().topLeft();
}

void FrmMain::LblColr_MouseMove() {
    setUnderline(LblColr, true);
}

void FrmMain::LblTrim_MouseMove() {
    setUnderline(LblTrim, true);
}

void FrmMain::Image1_MouseMove() {
    setUnderline(LblTrim, false);
}

void FrmMain::Image2_MouseMove() {
    setUnderline(LblColr, false);
}

// ---- events ----

void FrmMain::mouseMoveEvent(QMouseEvent* event) {
    // Only moves over the bare background reset the hover state; moves that a
    // child let through are not the background's.
    if (childAt(event->position().toPoint()) == nullptr) Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

void FrmMain::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const UiScale& ui = ui_;
    // Panels: header, navigation column, content, status bar, then the outer border.
    p.setPen(QPen(kPanelBorder, ui.px(1)));
    p.setBrush(Qt::white);
    const double radius = ui.pxF(4);
    p.drawRoundedRect(ui.px(QRect(6, 36, 548, 62)), radius, radius);     // header box
    p.drawRoundedRect(ui.px(QRect(6, 102, 132, 318)), radius, radius);   // navigation
    p.drawRoundedRect(ui.px(QRect(140, 140, 414, 280)), radius, radius); // content
    p.drawRoundedRect(ui.px(QRect(6, 426, 548, 32)), radius, radius);    // status bar
    // A row of colour chips in the header: what the program is about at a glance.
    const QColor chips[] = {QColor(232, 52, 52), QColor(247, 135, 28), QColor(250, 204, 21),
                            QColor(74, 190, 72), QColor(30, 160, 230), QColor(52, 84, 210),
                            QColor(146, 70, 200)};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 7; ++i) {
        p.setBrush(chips[i]);
        p.drawRoundedRect(ui.px(QRect(22 + i * 22, 54, 18, 26)), ui.pxF(3), ui.pxF(3));
    }
    // Text sizes follow the font resolution, which already carries the scale.
    QFont big = font();
    big.setPointSize(16);
    big.setBold(true);
    p.setFont(big);
    p.setPen(kTextBlue);
    p.drawText(ui.px(QRect(186, 44, 140, 44)), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("Kolvane"));
    QFont small = font();
    p.setFont(small);
    p.setPen(QColor(110, 130, 160));
    p.drawText(ui.px(QRect(186, 76, 150, 16)), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("取色 · 截图"));
    // Between the two tab groups, then Shape5, the visible border: lines one
    // designed pixel thick.
    p.fillRect(ui.px(QRect(10, 236, 123, 1)), kPanelBorder);
    const int w = width(), h = height(), t = ui.px(1);
    for (const QRect& edge :
         {QRect(0, 0, w, t), QRect(0, h - t, w, t), QRect(0, 0, t, h), QRect(w - t, 0, t, h)})
        p.fillRect(edge, kTextBlue);
    // The first frame is on its way; the colour page is built once it is out.
    if (!colourPageScheduled_) {
        colourPageScheduled_ = true;
        QTimer::singleShot(0, this, [this] { colourPage(); });
    }
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, event);
    auto* me = static_cast<QMouseEvent*>(event);
    if (bannerEvent(watched, me)) return true;
    if (navigationEvent(watched, me)) return true;
    return QWidget::eventFilter(watched, event);
}

// The banner, its title and its icon drag the window; the title-bar buttons.
bool FrmMain::bannerEvent(QObject* watched, QMouseEvent* me) {
    const QEvent::Type type = me->type();
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;
    const QPoint global = me->globalPosition().toPoint();
    // A click: the left button let go over the control it was pressed on.
    const bool clicked = release && me->button() == Qt::LeftButton &&
                         static_cast<QWidget*>(watched)->rect().contains(me->position().toPoint());

    if (watched == ImgBanner || watched == LblBanner || watched == ImgIcon) {
        if (press) {
            if (watched == ImgBanner) ImgBanner_MouseDown(me->button(), global);
            if (watched == LblBanner) LblBanner_MouseDown(me->button(), global);
            if (watched == ImgIcon) ImgIcon_MouseDown(me->button(), global);
            return true;
        }
        if (move && plainDrag_ && me->buttons() == Qt::LeftButton) {
            this->move(global - dragOffset_);
            return true;
        }
        if (release) plainDrag_ = false;
        if (move && watched == ImgBanner) ImgBanner_MouseMove();
        return release;
    }
    if (watched == ImgMin) {
        if (move) ImgMin_MouseMove();
        if (press) ImgMin_MouseDown();
        if (clicked) ImgMin_Click();
        return true;
    }
    if (watched == ImgClose) {
        if (move) ImgClose_MouseMove();
        if (press) ImgClose_MouseDown();
        if (clicked) ImgClose_Click();
        return true;
    }
    if (watched == Label3) {
        if (clicked) Label3_Click();
        return true;
    }
    return false;
}

// The page tabs with their icons, the command labels (whose commands the pages carry
// out) and the links.
bool FrmMain::navigationEvent(QObject* watched, QMouseEvent* me) {
    const QEvent::Type type = me->type();
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const bool clicked = type == QEvent::MouseButtonRelease && me->button() == Qt::LeftButton &&
                         static_cast<QWidget*>(watched)->rect().contains(me->position().toPoint());
    if (watched == LblColr || watched == LblTrim) {
        if (move) watched == LblColr ? LblColr_MouseMove() : LblTrim_MouseMove();
        if (clicked) watched == LblColr ? LblColr_Click() : LblTrim_Click();
        return true;
    }
    if (watched == Image2 || watched == Image1) {
        if (move) watched == Image2 ? Image2_MouseMove() : Image1_MouseMove();
        return true;
    }
    for (int i = 0; i < 9; ++i) {
        if (watched != LblColor[i]) continue;
        if (move) LblColor_MouseMove(i);
        if (press) colourPage().LblColor_MouseDown(i, me->button());
        if (clicked) capturePage_->LblColor_Click(i);
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched != LblWeb[i]) continue;
        if (move) LblWeb_MouseMove(i);
        if (press) LblWeb_MouseDown(i);
        return true;
    }
    return false;
}

} // namespace kv
