// The colour page's widgets, its current colour with the preview, the six notations
// and the channel sliders, and the routing of its widgets' events.
#include "app/colourpage.h"

#include "app/framestyle.h"
#include "app/frametexts.h"
#include "colour/notations.h"
#include "platform/units.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kv {

ColourPage::ColourPage(PageFrame& frame, QWidget* window, ScreenReader* screen,
                       const PlatformCapabilities& capabilities)
    : QObject(window), frame_(frame), capabilities_(capabilities), window_(window),
      ImgTmp(frame.storedPictures()), screen_(screen) {
    buildSources();
    buildNotations();
    buildSliders();
    widgets_ = {ImgCLR, Label2, Label5};
    for (int i = 0; i < Notation::Count; ++i) {
        widgets_.push_back(LblCLR[i]);
        widgets_.push_back(TxtClrVal[i]);
    }
    widgets_.insert(widgets_.end(),
                    {Label1, PicCLR, LblQSL, LblLight, LblFull, HSLL, HSLF, LblR, LblG, LblB, HSLR,
                     HSLG, HSLB, Picture1, Line2[0], Line2[1], Line2[2], Line2[3]});
    for (QLineEdit* box : TxtClrVal)
        box->installEventFilter(this);
    connectPickBoxes();
    // The sliders are views of the current colour: whatever sets it moves them.
    connect(&colour_, &CurrentColour::channelChanged, this, [this](int which) {
        QScrollBar* sliders[3] = {HSLR, HSLG, HSLB};
        sliders[which]->setValue(colour_.channel(which));
        channelChange(which);
    });
    connectColourSources();
}

ColourPage::~ColourPage() = default;

void ColourPage::buildSources() {
    ImgCLR = new ClickableLabel(window_);
    ImgCLR->setGeometry(ui_.twipsRect(2190, 2340, 2805, 2535));
    ImgCLR->setBackground(Qt::white);
    // The wheel and the palettes are colour pictures of fixed cells: shown with
    // each pixel a solid block, what the dropper picks there is still their colour.
    ImgCLR->setZoom(ui_.factor());
    ImgCLR->setPicture(ImgTmp[StoredPicture::Wheel]);

    // Top of the dropper box, under its caption.
    const int picture1Top = ui_.twips(3120);
    Label2 = makeLabel(window_, QStringLiteral("按下鼠标左键拖动吸管，可进行屏幕取色。"),
                       ui_.twipsRect(5345, 2235, 960, 780), QColor(90, 100, 120));
    Label2->setWordWrap(true);
    Label2->setFont(smallFont(window_->font()));
    Label2->resize(Label2->width(), picture1Top - Label2->y() - ui_.px(1));
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Label5 = makeLabel(window_, QStringLiteral("软件作者承接软件定做业务。"),
                       ui_.px(QRect(350, 344, 196, 64)), QColor(110, 120, 140));
    Label5->setWordWrap(true);
    Label5->setFont(smallFont(window_->font()));
    Label5->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ColourPage::buildNotations() {
    const auto initial = FormatColourNotations(30, 144, 255);
    const int rowTop[Notation::Count] = {2235, 2475, 2715, 2955, 3195, 3435};
    const char* captions[Notation::Count] = {"HTML", "色值", "RGB", "VB", "C++", "Delphi"};
    for (int i = 0; i < Notation::Count; ++i) {
        LblCLR[i] = makeLabel(window_, QString::fromUtf8(captions[i]),
                              ui_.twipsRect(6480, rowTop[i] + 30, 720, 180), kTextBlue);
        TxtClrVal[i] = new QLineEdit(initial[i], window_);
        // The designed box is narrow for "RGB(255,255,255)"; a smaller face and the
        // room up to the panel's edge keep the text readable from its start.
        TxtClrVal[i]->setGeometry(ui_.twips(7200), ui_.twips(rowTop[i]), ui_.px(72),
                                  ui_.twips(270));
        QFont boxFont = window_->font();
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

    Label1 = makeLabel(window_, QStringLiteral("当前颜色预览"),
                       ui_.twipsRect(5227, 3840, 1095, 180), kTextBlue);
    PicCLR = new PictureBox(window_);
    PicCLR->setGeometry(ui_.twipsRect(5220, 4080, 1095, 915));
    PicCLR->setBackground(QColor(30, 144, 255));
    PicCLR->setFocusPolicy(Qt::ClickFocus);
}

QScrollBar* ColourPage::makeSlider(QRect r, int max, int value) {
    auto* s = new QScrollBar(Qt::Horizontal, window_);
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
}

void ColourPage::buildSliders() {
    auto label = [this](const QString& text, QRect r) {
        return makeLabel(window_, text, r, kTextBlue);
    };
    LblQSL = label(QStringLiteral("取色轮调节:"), ui_.twipsRect(6480, 3777, 1695, 180));
    LblLight = label(QStringLiteral("色调:      0"), ui_.twipsRect(6480, 4005, 1695, 180));
    HSLL = makeSlider(ui_.twipsRect(6480, 4221, 1695, 255), 256, 128);
    LblFull = label(QStringLiteral("饱和度:    128"), ui_.twipsRect(6480, 4515, 1695, 180));
    HSLF = makeSlider(ui_.twipsRect(6480, 4740, 1695, 255), 256, 128);

    LblR = label(QStringLiteral("红 30"), ui_.twipsRect(2160, 5190, 700, 180));
    LblG = label(QStringLiteral("绿 144"), ui_.twipsRect(2160, 5550, 700, 180));
    LblB = label(QStringLiteral("蓝 255"), ui_.twipsRect(2160, 5910, 700, 180));
    HSLR = makeSlider(ui_.twipsRect(2880, 5160, 2175, 255), 255, 30);
    HSLG = makeSlider(ui_.twipsRect(2880, 5520, 2175, 255), 255, 144);
    HSLB = makeSlider(ui_.twipsRect(2880, 5880, 2175, 255), 255, 255);
    QScrollBar* sliders[3] = {HSLR, HSLG, HSLB};
    for (int c = 0; c < 3; ++c) {
        // A moved slider sets its channel; the colour's report runs the change.
        connect(sliders[c], &QScrollBar::valueChanged, this,
                [this, c](int value) { colour_.SetChannel(c, value); });
        // The thumb's release reports the final value once more, as the drag ends.
        connect(sliders[c], &QScrollBar::sliderReleased, this, [this, c] { channelChange(c); });
    }

    Picture1 = new ClickableLabel(window_);
    Picture1->setGeometry(ui_.twipsRect(5400, 3120, 480, 480));
    Picture1->setPicture(ImgTmp[StoredPicture::Dropper]);

    // Separators between the wheel, the dropper column and the notation column.
    const QRect lines[4] = {QRect(341, 152, 1, 178), QRect(426, 152, 1, 178),
                            QRect(146, 336, 400, 1), QRect(346, 338, 1, 70)};
    for (int i = 0; i < 4; ++i) {
        Line2[i] = new LineWidget(window_, kPanelBorder);
        Line2[i]->setGeometry(ui_.px(lines[i]));
    }
}

void ColourPage::Form_Load() {
    TxtClrVal[Notation::Vb]->setText(QStringLiteral("&H00FF901E&"));
    TxtClrVal[Notation::Vb]->setCursorPosition(0);
    Label5->setText(frametexts::AuthorNotice());
}

void ColourPage::setShown(bool shown) {
    for (QWidget* w : widgets_)
        w->setVisible(shown);
}

bool ColourPage::shown() const {
    return ImgCLR->isVisible();
}

void ColourPage::ResetHover() {
    for (QLineEdit* box : TxtClrVal)
        setTextColour(box, kTextBlue);
}

// ---- current colour ----

void ColourPage::SetCurrentColour(int red, int green, int blue) {
    // Each channel that really changes moves its slider and runs its change
    // handler; an unchanged one raises nothing.
    colour_.Set(red, green, blue);
}

void ColourPage::channelChange(int channel) {
    static const char* const words[3] = {"红 ", "绿 ", "蓝 "};
    QLabel* captions[3] = {LblR, LblG, LblB};
    captions[channel]->setText(QString::fromUtf8(words[channel]) +
                               QString::number(colour_.channel(channel)));
    RefreshColourPanel();
}

void ColourPage::RefreshColourPanel() {
    PicCLR->setBackground(QColor(colour_.red(), colour_.green(), colour_.blue()));
    const QColor shown = PicCLR->background();
    const auto texts = FormatColourNotations(shown.red(), shown.green(), shown.blue());
    for (int i = 0; i < Notation::Count; ++i) {
        TxtClrVal[i]->setText(texts[i]);
        // Shown from its first character, like any newly set text box; a long
        // notation would otherwise be scrolled to its end ("GB(165,144,255)").
        TxtClrVal[i]->setCursorPosition(0);
    }
    PicCLR->setFocus(Qt::OtherFocusReason);
    emit panelRefreshed();
}

void ColourPage::TxtClrVal_DblClick(int index) {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    TxtClrVal[index]->selectAll();
    clip->setText(TxtClrVal[index]->text());
}

void ColourPage::TxtClrVal_MouseMove(int index) {
    frame_.ShowTip(frametexts::CopyTip());
    for (QLineEdit* box : TxtClrVal)
        setTextColour(box, kTextBlue);
    setTextColour(TxtClrVal[index], kHighlightRed);
}

bool ColourPage::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    for (int i = 0; i < Notation::Count; ++i) {
        if (watched != TxtClrVal[i]) continue;
        if (type == QEvent::MouseMove) TxtClrVal_MouseMove(i);
        if (type == QEvent::MouseButtonDblClick) {
            TxtClrVal_DblClick(i);
            return true;
        }
        return false; // the box keeps its own editing behaviour
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kv
