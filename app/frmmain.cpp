#include "app/frmmain.h"

#include "app/artwork.h"
#include "app/clockline.h"
#include "app/frametexts.h"
#include "colour/notations.h"
#include "platform/units.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <QWindow>

namespace kv {
namespace {

// Colours are given as the window system's 0x00BBGGRR values, as they were designed.
QColor bgr(unsigned value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

const QColor kTextBlue = bgr(0x00FF901E);    // title, notation boxes and captions
const QColor kCommandBlue = bgr(0x00FF6600); // command labels
const QColor kTipOrange = bgr(0x000099FF);   // tip line and clock line
const QColor kLinkRest = bgr(0x00FF6666);
const QColor kLinkHover = bgr(0x00FF00FF);
const QColor kLinkVisited = bgr(0x00FF8080);
const QColor kPanelBorder(176, 208, 240);
const QColor kWindowBack(248, 251, 255);

QFont smallFont(QFont f) {
    f.setPointSize(8);
    return f;
}

// Top of the dropper box, under its caption.
int Picture1Top(const UiScale& ui) {
    return ui.twips(3120);
}

void setTextColour(QWidget* w, const QColor& c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    pal.setColor(QPalette::Text, c);
    w->setPalette(pal);
}

// A designed size is a minimum: longer texts (the clock line in a wide font) must not
// be cut off, and a line of text is taller than the 12 px the labels were laid out
// with. A label grows about its designed middle, so its text stays where the design
// put it and the underline of a hovered label is no longer clipped.
void fitLabel(QLabel* label) {
    const QSize hint = label->sizeHint();
    QRect r = label->geometry();
    r.setWidth(std::max(r.width(), hint.width()));
    if (hint.height() > r.height()) {
        const int grow = (hint.height() - r.height() + 1) / 2; // the same above and below
        r.adjust(0, -grow, 0, grow);
    }
    label->setGeometry(r);
}

// A thin line widget for the colour page's separators (hidden with the page).
class LineWidget : public QWidget {
public:
    LineWidget(QWidget* parent, QColor colour) : QWidget(parent), colour_(colour) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

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
    buildColourPage();

    for (QLabel* l : findChildren<QLabel*>())
        if (!l->wordWrap()) fitLabel(l);

    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
        child->setMouseTracking(true);
    }

    Timer1.setInterval(1000);
    connect(&Timer1, &QTimer::timeout, this, &FrmMain::Timer1_Timer);

    connectColourSources();
}

FrmMain::~FrmMain() = default;

void FrmMain::buildFrame() {
    QFont ui = font();
    auto label = [this](const QString& text, QRect r, QColor colour) {
        auto* l = new QLabel(text, this);
        l->setGeometry(r);
        setTextColour(l, colour);
        return l;
    };
    auto picture = [this](QRect r, const Picture& pic) {
        auto* b = new PictureBox(this);
        b->setGeometry(r);
        b->setPicture(pic);
        return b;
    };

    // Banner, placed again by Form_Load as it was designed.
    ImgBanner = picture(ui_.twipsRect(15, 10, 8385, 450), Picture());
    ImgIcon =
        picture(ui_.twipsRect(120, 120, 270, 225), Picture(artwork::ProgramIcon(15, ui_.factor())));
    ImgIcon->setFixedSize(ui_.twips(270), ui_.twips(225));
    LblBanner = label(QStringLiteral("Kolvane"), ui_.twipsRect(480, 150, 900, 180), kTextBlue);
    QFont bold = ui;
    bold.setBold(true);
    LblBanner->setFont(bold);
    LblBanner->adjustSize();

    ImgMin = picture(ui_.twipsRect(7370, 15, 300, 300), ImgTmp[0]);
    ImgMax = picture(ui_.twipsRect(7682, 15, 300, 300), ImgTmp[2]);
    ImgClose = picture(ui_.twipsRect(7995, 15, 300, 300), ImgTmp[0]);
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
    Label3 = label(QStringLiteral("×"), ui_.twipsRect(8048, 75, 195, 180), kTextBlue);
    Label3->setFont(bold);
    Label3->setAlignment(Qt::AlignCenter);

    Label4 =
        label(QStringLiteral("V1.1.0"), ui_.twipsRect(5040, 1080, 630, 180), QColor(110, 130, 160));

    Image2 =
        picture(ui_.twipsRect(120, 1560, 720, 720), Picture(artwork::ColourTabIcon(ui_.px(48))));
    LblColr = label(QStringLiteral("取色"), ui_.twipsRect(840, 1837, 390, 180), kTextBlue);
    LblColr->setFont(bold);
    Image1 =
        picture(ui_.twipsRect(120, 3360, 720, 720), Picture(artwork::CaptureTabIcon(ui_.px(48))));
    LblTrim = label(QStringLiteral("屏幕截图"), ui_.twipsRect(840, 3630, 780, 180), kTextBlue);
    LblTrim->setFont(bold);
    LblColr->setCursor(Qt::PointingHandCursor);
    LblTrim->setCursor(Qt::PointingHandCursor);

    const int commandTop[9] = {2280, 2520, 2760, 3000, 3240, 4320, 4080, 4560, 4800};
    for (int i = 0; i < 9; ++i) {
        const int width = i == 4 ? 900 : (i < 5 ? 540 : 720);
        LblColor[i] = label(frametexts::CommandCaption(i),
                            ui_.twipsRect(840, commandTop[i], width, 180), kCommandBlue);
        LblColor[i]->setCursor(Qt::PointingHandCursor);
    }

    LblHelp = label(frametexts::WelcomeTip(), ui_.twipsRect(2520, 1830, 2700, 180), kTipOrange);
    // The longest tips are twice the designed width: the tip line runs to the border.
    LblHelp->resize(width() - LblHelp->x() - ui_.px(2), LblHelp->height());
    LblTime = label(QString(), ui_.twipsRect(2557, 6510, 2700, 180), kTipOrange);

    const QRect webRects[4] = {
        ui_.twipsRect(217, 6510, 1620, 180), ui_.twipsRect(577, 5550, 900, 180),
        ui_.twipsRect(6120, 6517, 720, 180), ui_.twipsRect(7320, 6517, 720, 180)};
    for (int i = 0; i < 4; ++i) {
        LblWeb[i] = label(frametexts::LinkCaption(i), webRects[i], kLinkRest);
        LblWeb[i]->setCursor(Qt::PointingHandCursor);
    }
    LblRights[0] = label(frametexts::RightsLine(0), ui_.twipsRect(255, 5220, 1900, 180),
                         QColor(120, 130, 145));
    LblRights[1] = label(frametexts::RightsLine(1), ui_.twipsRect(172, 5898, 1900, 180),
                         QColor(120, 130, 145));

    PicMain = picture(ui_.twipsRect(2160, 2280, 6015, 3855), ImgTmp[8]);
}

void FrmMain::buildColourPage() {
    auto label = [this](const QString& text, QRect r, QColor colour = kTextBlue) {
        auto* l = new QLabel(text, this);
        l->setGeometry(r);
        setTextColour(l, colour);
        return l;
    };
    auto slider = [this](QRect r, int max, int value) {
        auto* s = new QScrollBar(Qt::Horizontal, this);
        s->setGeometry(r);
        s->setRange(0, max);
        s->setSingleStep(1);
        s->setPageStep(1);
        s->setValue(value);
        // A scroll bar inverts its keys for vertical use; on these horizontal bars the
        // right arrow key must raise the value and the left one lower it.
        s->setInvertedControls(false);
        s->setFocusPolicy(Qt::StrongFocus);
        return s;
    };

    ImgCLR = new PictureBox(this);
    ImgCLR->setGeometry(ui_.twipsRect(2190, 2340, 2805, 2535));
    ImgCLR->setBackground(Qt::white);
    // The wheel and the palettes are colour pictures of fixed cells: shown with
    // each pixel a solid block, what the dropper picks there is still their colour.
    ImgCLR->setZoom(ui_.factor());
    ImgCLR->setPicture(ImgTmp[3]);

    Label2 = label(QStringLiteral("按下鼠标左键拖动吸管，可进行屏幕取色。"),
                   ui_.twipsRect(5345, 2235, 960, 780), QColor(90, 100, 120));
    Label2->setWordWrap(true);
    Label2->setFont(smallFont(font()));
    Label2->resize(Label2->width(), Picture1Top(ui_) - Label2->y() - ui_.px(1));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = label(QStringLiteral("软件作者承接软件定做业务。"), ui_.px(QRect(350, 344, 196, 64)),
                   QColor(110, 120, 140));
    Label5->setWordWrap(true);
    Label5->setFont(smallFont(font()));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const auto initial = FormatColourNotations(30, 144, 255);
    const int rowTop[6] = {2235, 2475, 2715, 2955, 3195, 3435};
    const char* captions[6] = {"HTML", "色值", "RGB", "VB", "C++", "Delphi"};
    for (int i = 0; i < 6; ++i) {
        LblCLR[i] =
            label(QString::fromUtf8(captions[i]), ui_.twipsRect(6480, rowTop[i] + 30, 720, 180));
        TxtClrVal[i] = new QLineEdit(initial[i], this);
        // The designed box is narrow for "RGB(255,255,255)"; a smaller face and the
        // room up to the panel's edge keep the text readable from its start.
        TxtClrVal[i]->setGeometry(ui_.twips(7200), ui_.twips(rowTop[i]), ui_.px(72),
                                  ui_.twips(270));
        QFont boxFont = font();
        boxFont.setPixelSize(ui_.px(10));
        boxFont.setLetterSpacing(QFont::AbsoluteSpacing, ui_.pxF(-0.5));
        TxtClrVal[i]->setFont(boxFont);
        TxtClrVal[i]->setStyleSheet(
            QStringLiteral("QLineEdit { border: %1px solid rgb(156,195,236); padding: 0px %1px; "
                           "background: white; }")
                .arg(ui_.px(1)));
        TxtClrVal[i]->setCursorPosition(0);
        setTextColour(TxtClrVal[i], kTextBlue);
    }

    Label1 = label(QStringLiteral("当前颜色预览"), ui_.twipsRect(5227, 3840, 1095, 180));
    PicCLR = new PictureBox(this);
    PicCLR->setGeometry(ui_.twipsRect(5220, 4080, 1095, 915));
    PicCLR->setBackground(QColor(30, 144, 255));
    PicCLR->setFocusPolicy(Qt::ClickFocus);

    LblQSL = label(QStringLiteral("取色轮调节:"), ui_.twipsRect(6480, 3777, 1695, 180));
    LblLight = label(QStringLiteral("色调:      0"), ui_.twipsRect(6480, 4005, 1695, 180));
    HSLL = slider(ui_.twipsRect(6480, 4221, 1695, 255), 256, 128);
    LblFull = label(QStringLiteral("饱和度:    128"), ui_.twipsRect(6480, 4515, 1695, 180));
    HSLF = slider(ui_.twipsRect(6480, 4740, 1695, 255), 256, 128);

    LblR = label(QStringLiteral("红 30"), ui_.twipsRect(2160, 5190, 700, 180));
    LblG = label(QStringLiteral("绿 144"), ui_.twipsRect(2160, 5550, 700, 180));
    LblB = label(QStringLiteral("蓝 255"), ui_.twipsRect(2160, 5910, 700, 180));
    HSLR = slider(ui_.twipsRect(2880, 5160, 2175, 255), 255, 30);
    HSLG = slider(ui_.twipsRect(2880, 5520, 2175, 255), 255, 144);
    HSLB = slider(ui_.twipsRect(2880, 5880, 2175, 255), 255, 255);
    // A value that moves with the dragged thumb is a scroll; any other is a change.
    connect(HSLR, &QScrollBar::valueChanged, this,
            [this] { HSLR->isSliderDown() ? HSLR_Scroll() : HSLR_Change(); });
    connect(HSLG, &QScrollBar::valueChanged, this,
            [this] { HSLG->isSliderDown() ? HSLG_Scroll() : HSLG_Change(); });
    connect(HSLB, &QScrollBar::valueChanged, this,
            [this] { HSLB->isSliderDown() ? HSLB_Scroll() : HSLB_Change(); });
    // The thumb's release reports the final value once more, as the drag ends.
    connect(HSLR, &QScrollBar::sliderReleased, this, [this] { HSLR_Change(); });
    connect(HSLG, &QScrollBar::sliderReleased, this, [this] { HSLG_Change(); });
    connect(HSLB, &QScrollBar::sliderReleased, this, [this] { HSLB_Change(); });

    Picture1 = new PictureBox(this);
    Picture1->setGeometry(ui_.twipsRect(5400, 3120, 480, 480));
    Picture1->setPicture(ImgTmp[7]);

    // Separators between the wheel, the dropper column and the notation column.
    const QRect lines[4] = {QRect(341, 152, 1, 178), QRect(426, 152, 1, 178),
                            QRect(146, 336, 400, 1), QRect(346, 338, 1, 70)};
    for (int i = 0; i < 4; ++i) {
        Line2[i] = new LineWidget(this, kPanelBorder);
        Line2[i]->setGeometry(ui_.px(lines[i]));
    }

    colourPageSet_ = {ImgCLR, Label2, Label5};
    for (int i = 0; i < 6; ++i) {
        colourPageSet_.push_back(LblCLR[i]);
        colourPageSet_.push_back(TxtClrVal[i]);
    }
    colourPageSet_.insert(colourPageSet_.end(),
                          {Label1, PicCLR, LblQSL, LblLight, LblFull, HSLL, HSLF, LblR, LblG, LblB,
                           HSLR, HSLG, HSLB, Picture1, Line2[0], Line2[1], Line2[2], Line2[3]});
}

void FrmMain::Form_Load() {
    LblTrim_Click();
    ImgBanner->setGeometry(ui_.twips(10), ui_.twips(10), width() - ui_.twips(30),
                           ImgBanner->height());
    ImgBanner->setPicture(Picture(artwork::Banner(ImgBanner->size(), ui_.factor())));
    ImgBanner->lower();
    TxtClrVal[3]->setText(QStringLiteral("&H00FF901E&"));
    TxtClrVal[3]->setCursorPosition(0);
    LblTime->setText(FormatClockLine(services_.clock->now(), &weekdayName));
    fitLabel(LblTime); // empty until now, so sized with its first text
    Label5->setText(frametexts::AuthorNotice());
    Timer1.start();
}

void FrmMain::ShowColourPage() {
    for (QWidget* w : colourPageSet_)
        w->show();
    PicMain->hide();
}

void FrmMain::LblTrim_Click() {
    for (QWidget* w : colourPageSet_)
        w->hide();
    PicMain->show();
    PicMain->setPicture(ImgTmp[8]);
}

void FrmMain::LblColr_Click() {
    ShowColourPage();
    PrepareWheel();
}

bool FrmMain::colourPageShown() const {
    return !PicMain->isVisible() && ImgCLR->isVisible();
}

void FrmMain::Timer1_Timer() {
    LblTime->setText(FormatClockLine(services_.clock->now(), &weekdayName));
}

// ---- current colour ----

void FrmMain::SetCurrentColour(int red, int green, int blue) {
    // Each slider that really changes runs its own change handler; an unchanged
    // one raises nothing.
    HSLR->setValue(red);
    HSLG->setValue(green);
    HSLB->setValue(blue);
}

void FrmMain::channelChange(int channel) {
    static const char* const words[3] = {"红 ", "绿 ", "蓝 "};
    QLabel* captions[3] = {LblR, LblG, LblB};
    QScrollBar* sliders[3] = {HSLR, HSLG, HSLB};
    captions[channel]->setText(QString::fromUtf8(words[channel]) +
                               QString::number(sliders[channel]->value()));
    RefreshColourPanel();
}

void FrmMain::RefreshColourPanel() {
    ++refreshCount_;
    const int r = HSLR->value(), g = HSLG->value(), b = HSLB->value();
    PicCLR->setBackground(QColor(r, g, b));
    const QColor shown = PicCLR->background();
    const auto texts = FormatColourNotations(shown.red(), shown.green(), shown.blue());
    for (int i = 0; i < 6; ++i) {
        TxtClrVal[i]->setText(texts[i]);
        // Shown from its first character, like any newly set text box; a long
        // notation would otherwise be scrolled to its end ("GB(165,144,255)").
        TxtClrVal[i]->setCursorPosition(0);
    }
    PicCLR->setFocus(Qt::OtherFocusReason);
}

void FrmMain::TxtClrVal_DblClick(int index) {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    TxtClrVal[index]->selectAll();
    clip->setText(TxtClrVal[index]->text());
}

void FrmMain::TxtClrVal_MouseMove(int index) {
    LblHelp->setText(frametexts::CopyTip());
    for (QLineEdit* box : TxtClrVal)
        setTextColour(box, kTextBlue);
    setTextColour(TxtClrVal[index], bgr(0x000000FF));
}

// ---- hover, tips and links ----

void FrmMain::setUnderline(QLabel* label, bool on) {
    QFont f = label->font();
    if (f.underline() == on) return;
    f.setUnderline(on);
    label->setFont(f);
}

void FrmMain::Form_MouseMove() {
    ImgMin->setPicture(ImgTmp[0]);
    ImgClose->setPicture(ImgTmp[0]);
    setUnderline(LblColr, false);
    setUnderline(LblTrim, false);
    LblHelp->setText(frametexts::WelcomeTip());
    for (QLineEdit* box : TxtClrVal)
        setTextColour(box, kTextBlue);
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
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    if (colourSourcesEvent(watched, event)) return true;
    if (captureEvent(watched, event)) return true;
    if (snapshotEvent(watched, event)) return true;
    if (frameEvent(watched, event)) return true;
    return QWidget::eventFilter(watched, event);
}

bool FrmMain::frameEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress &&
        type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const bool move = type == QEvent::MouseMove;
    const bool press = type == QEvent::MouseButtonPress;
    const bool release = type == QEvent::MouseButtonRelease;

    const QPoint global = me->globalPosition().toPoint();
    // A click: the left button let go over the control it was pressed on.
    auto clicked = [&](QObject* control) {
        return release && me->button() == Qt::LeftButton &&
               static_cast<QWidget*>(control)->rect().contains(me->position().toPoint());
    };

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
        if (clicked(ImgMin)) ImgMin_Click();
        return true;
    }
    if (watched == ImgClose) {
        if (move) ImgClose_MouseMove();
        if (press) ImgClose_MouseDown();
        if (clicked(ImgClose)) ImgClose_Click();
        return true;
    }
    if (watched == Label3) {
        if (clicked(Label3)) Label3_Click();
        return true;
    }
    if (watched == LblColr || watched == LblTrim) {
        if (move) watched == LblColr ? LblColr_MouseMove() : LblTrim_MouseMove();
        if (clicked(watched)) watched == LblColr ? LblColr_Click() : LblTrim_Click();
        return true;
    }
    if (watched == Image2 || watched == Image1) {
        if (move) watched == Image2 ? Image2_MouseMove() : Image1_MouseMove();
        return true;
    }
    for (int i = 0; i < 9; ++i) {
        if (watched != LblColor[i]) continue;
        if (move) LblColor_MouseMove(i);
        if (press) LblColor_MouseDown(i, me->button());
        if (clicked(LblColor[i])) LblColor_Click(i);
        return true;
    }
    for (int i = 0; i < 4; ++i) {
        if (watched != LblWeb[i]) continue;
        if (move) LblWeb_MouseMove(i);
        if (press) LblWeb_MouseDown(i);
        return true;
    }
    for (int i = 0; i < 6; ++i) {
        if (watched != TxtClrVal[i]) continue;
        if (move) TxtClrVal_MouseMove(i);
        if (type == QEvent::MouseButtonDblClick) {
            TxtClrVal_DblClick(i);
            return true;
        }
        return false; // the box keeps its own editing behaviour
    }
    return false;
}

} // namespace kv
