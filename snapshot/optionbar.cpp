// The option bar's controls: colour grid, pen sizes and font size.
#include "snapshot/optionbar.h"
#include "snapshot/editorstyle.h"

#include "platform/units.h"
#include "snapshot/optionbar_layout.h"
#include "snapshot/textbox.h"
#include "snapshot/tooltable.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace kv {

namespace {

struct CellLayout {
    int left, top, size; // twips
    QColor colour;
};

const std::array<CellLayout, 17> kCells{{
    {480, 0, 200, QColor(0, 0, 0)},
    {720, 0, 200, QColor(128, 128, 128)},
    {960, 0, 200, QColor(192, 0, 0)},
    {1200, 0, 200, QColor(192, 192, 0)},
    {1440, 0, 200, QColor(0, 128, 0)},
    {1680, 0, 200, QColor(0, 0, 128)},
    {1920, 0, 200, QColor(128, 0, 128)},
    {2160, 0, 200, QColor(10, 100, 130)},
    {480, 220, 200, QColor(255, 255, 255)},
    {720, 220, 200, QColor(192, 192, 192)},
    {960, 220, 200, QColor(255, 0, 0)},
    {1200, 220, 200, QColor(255, 255, 0)},
    {1440, 220, 200, QColor(0, 255, 0)},
    {1680, 220, 200, QColor(0, 0, 255)},
    {1920, 220, 200, QColor(255, 0, 255)},
    {2160, 220, 200, QColor(0, 255, 255)},
    {20, 0, 420, QColor(255, 0, 0)},
}};

// Pen-size buttons and their frames, in twips of the chooser.
const QPoint kDotAt[3] = {{60, 60}, {430, 70}, {790, 70}};
const QPoint kDotFrameAt[3] = {{40, 30}, {400, 30}, {750, 30}};

const char* const kSizes[] = {"6", "8", "9", "10", "11", "12", "14", "18", "20"};

} // namespace

ColourCell::ColourCell(QWidget* parent, const QColor& colour)
    : ClickableLabel(parent), colour_(colour) {
    setMouseTracking(true);
}

void ColourCell::setColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColourCell::setBordered(bool on) {
    if (bordered_ == on) return;
    bordered_ = on;
    update();
}

void ColourCell::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colour_);
    // A faint rim keeps light colours apart from the bar's light background.
    p.setPen(bordered_ ? QColor(20, 20, 20) : QColor(168, 180, 204));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

OptionBar::OptionBar(ClickableLabel* panel, const ToolOptions& options)
    : QObject(panel), Picture2(panel), options_(options) {
    preparePanel(Picture2, kBarBackground);
    connect(Picture2, &ClickableLabel::moved, this, &OptionBar::Picture2_MouseMove);
    connect(Picture2, &ClickableLabel::pointerLeft, this, &OptionBar::Picture2_PointerLeft);
    Picture2->resize(nearInt(kOptionBarFullWidth), nearInt(kOptionBarHeight));
    buildPenChooser();
    buildFontChooser();
    buildColourGrid();
    Shape4 = new OutlineShape(Picture2, kBarOutline);
    Shape4->setGeometry(Picture2->rect());
    Pcolor[16]->setColour(options_.colour);
}

void OptionBar::buildColourGrid() {
    PicColor = new ClickableLabel(Picture2);
    preparePanel(PicColor, kBarBackground);
    PicColor->setGeometry(nearInt(kColourGridLeft), nearInt(kColourGridTop),
                          nearInt(kColourGridWidth), nearInt(kColourGridHeight));
    connect(PicColor, &ClickableLabel::moved, this, &OptionBar::PicColor_MouseMove);
    for (int i = 0; i < 17; ++i) {
        const auto& c = kCells[i];
        auto* cell = new ColourCell(PicColor, c.colour);
        cell->setGeometry(twipsRect(c.left, c.top, c.size, c.size));
        connect(cell, &ClickableLabel::moved, this, [this, i] { Pcolor_MouseMove(i); });
        // Any button let go over the cell it went down in chooses it.
        connect(cell, &ClickableLabel::releasedOver, this, [this, i] { Pcolor_MouseUp(i); });
        Pcolor[i] = cell;
    }
}

void OptionBar::buildPenChooser() {
    PicPoint = new QWidget(Picture2);
    preparePanel(PicPoint, kBarBackground);
    PicPoint->setMouseTracking(false);
    PicPoint->setGeometry(nearInt(kChooserLeft), nearInt(kChooserTop), nearInt(kChooserWidth),
                          nearInt(kChooserHeight));
    for (int s = 0; s < 3; ++s) {
        auto* dot = new IconButton(PicPoint, penSizeIcon(s));
        dot->move(twips(kDotAt[s].x()), twips(kDotAt[s].y()));
        connect(dot, &ClickableLabel::moved, this, [this, s] { ImgPoint_MouseMove(s); });
        // Any button chooses, and so does the second press of a double click.
        connect(dot, &ClickableLabel::pressed, this, [this, s] { ImgPoint_MouseDown(s); });
        connect(dot, &ClickableLabel::doublePressed, this, [this, s] { ImgPoint_MouseDown(s); });
        ImgPoint[s] = dot;
    }
    for (int s = 0; s < 3; ++s) {
        auto* frame = new OutlineShape(PicPoint, kBarHoverFrame);
        frame->setGeometry(twipsRect(kDotFrameAt[s].x(), kDotFrameAt[s].y(), 300, 300));
        frame->hide();
        Shape5[s] = frame;
    }
}

void OptionBar::buildFontChooser() {
    PicFont = new ClickableLabel(Picture2);
    preparePanel(PicFont, kBarBackground);
    PicFont->setGeometry(nearInt(kChooserLeft), nearInt(kChooserTop), nearInt(kChooserWidth),
                         nearInt(kChooserHeight));
    connect(PicFont, &ClickableLabel::moved, this, &OptionBar::PicFont_MouseMove);
    PicFont->hide();

    Image3 = new IconButton(PicFont, fontSizeIcon());
    Image3->setAttribute(Qt::WA_TransparentForMouseEvents);
    Image3->move(0, twips(40));

    // The real list lies under the face; the face opens and closes it.
    Combo1 = new QComboBox(PicFont);
    for (const char* s : kSizes)
        Combo1->addItem(QString::fromLatin1(s));
    Combo1->setCurrentText(QString::number(double(options_.fontSize)));
    Combo1->setGeometry(twipsRect(320, 20, 735, 300));
    // The list drops below the face instead of opening over it.
    Combo1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    connect(Combo1, &QComboBox::textActivated, this, &OptionBar::Combo1_Click);

    for (int f = 0; f < 3; ++f)
        Image4[f] = comboFaceImage(static_cast<ComboFace>(f));
    PicCombox = new IconButton(PicFont, Image4[0]);
    PicCombox->setGeometry(twipsRect(320, 0, 750, 330));
    PicCombox->setToolTip(QStringLiteral("选择字体大小"));
    connect(PicCombox, &ClickableLabel::moved, this, &OptionBar::PicCombox_MouseMove);
    connect(PicCombox, &ClickableLabel::pressed, this, &OptionBar::PicCombox_MouseDown);
    connect(PicCombox, &ClickableLabel::doublePressed, this, &OptionBar::PicCombox_MouseDown);

    Text1 = new QLineEdit(PicCombox);
    Text1->setFrame(false);
    Text1->setTextMargins(0, 0, 0, 0);
    Text1->setStyleSheet(QStringLiteral("QLineEdit { background: white; padding: 0px; }"));
    Text1->setGeometry(twipsRect(60, 60, 340, 200));
    QFont small = Text1->font();
    small.setPixelSize(11);
    Text1->setFont(small);
    Text1->setText(QString::number(double(options_.fontSize)));
    connect(Text1, &QLineEdit::textChanged, this, &OptionBar::Text1_Change);
}

void OptionBar::setOptions(const ToolOptions& options) {
    const QSignalBlocker quiet(this);
    options_ = options;
    Pcolor[16]->setColour(options_.colour);
    if (fontSizeFromText(Text1->text(), -1.0f) != options_.fontSize)
        Text1->setText(QString::number(double(options_.fontSize)));
    if (!PicPoint->isHidden()) {
        for (auto* f : Shape5)
            f->hide();
        showRememberedPenFrame();
    }
}

void OptionBar::showRememberedPenFrame() {
    const int s = options_.penSize(penSlotOf(tool_));
    if (s >= 0 && s < 3) Shape5[s]->show();
}

void OptionBar::arrangeFor(ToolKind tool) {
    tool_ = tool;
    const ToolInfo* info = toolInfo(tool);
    const ToolChooser chooser = info ? info->chooser : ToolChooser::PenSize;
    PicFont->setVisible(chooser == ToolChooser::FontSize);
    PicPoint->setVisible(chooser == ToolChooser::PenSize);
    PicColor->move(nearInt(colourGridLeftFor(tool)), PicColor->y());
    Picture2->resize(nearInt(optionBarWidthFor(tool)), Picture2->height());
    Shape4->setGeometry(Picture2->rect());
    if (chooser == ToolChooser::PenSize) {
        for (auto* f : Shape5)
            f->hide();
        showRememberedPenFrame();
    }
}

bool OptionBar::sizeListOpen() const {
    return Combo1->view()->isVisible();
}

void OptionBar::Pcolor_MouseUp(int index) {
    if (index == 16) return;
    options_.colour = Pcolor[index]->colour();
    Pcolor[16]->setColour(options_.colour);
    emit optionsChanged(options_);
}

void OptionBar::Pcolor_MouseMove(int index) {
    if (index == 16) {
        PicColor_MouseMove();
        return;
    }
    Pcolor[index]->setBordered(true);
}

void OptionBar::PicColor_MouseMove() {
    for (int i = 0; i < 16; ++i)
        Pcolor[i]->setBordered(false);
}

void OptionBar::ImgPoint_MouseDown(int size) {
    const int slot = penSlotOf(tool_);
    if (slot < 0) return;
    options_.penIndex[std::size_t(slot)] = static_cast<std::int16_t>(size);
    emit optionsChanged(options_);
}

void OptionBar::ImgPoint_MouseMove(int size) {
    for (auto* f : Shape5)
        f->hide();
    Shape5[size]->show();
    showRememberedPenFrame();
}

void OptionBar::Picture2_MouseMove() {
    showArrowPointer();
    for (auto* f : Shape5)
        f->hide();
    showRememberedPenFrame();
}

void OptionBar::PicCombox_MouseMove() {
    PicCombox->setImage(Image4[1]);
}

void OptionBar::PicFont_MouseMove() {
    PicCombox->setImage(Image4[0]);
}

void OptionBar::PicCombox_MouseDown() {
    PicCombox->setImage(Image4[2]);
    // The press that closed the open list is handed on to the face as well; the list
    // is closed already, as the press meant.
    if (listClosingPress_) {
        listClosingPress_ = false;
        return;
    }
    OpenCombo(Combo1);
    if (QWidget* list = Combo1->view()->parentWidget(); list && sizeListOpen()) {
        // The release that ends this press would close the list again at once.
        swallowOpeningRelease_ = true;
        list->installEventFilter(this);
    }
}

void OptionBar::Combo1_Click(const QString& item) {
    Text1->setText(item);
}

void OptionBar::Text1_Change() {
    const float size = fontSizeFromText(Text1->text(), options_.fontSize);
    if (size == options_.fontSize) return;
    options_.fontSize = size;
    emit optionsChanged(options_);
}

void OptionBar::OpenCombo(QComboBox* combo) {
    if (!combo->view()->isVisible())
        combo->showPopup();
    else
        combo->hidePopup();
}

bool OptionBar::eventFilter(QObject* watched, QEvent* event) {
    if (Combo1 && watched == Combo1->view()->parentWidget()) return filterSizeList(event);
    return false;
}

// The open list of sizes: a press outside it closes it.
bool OptionBar::filterSizeList(QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        // The press is marked until handled in full, the face's share of it included.
        swallowOpeningRelease_ = false;
        listClosingPress_ = true;
        QTimer::singleShot(0, this, [this] { listClosingPress_ = false; });
    } else if (event->type() == QEvent::MouseButtonRelease && swallowOpeningRelease_) {
        swallowOpeningRelease_ = false;
        return true;
    }
    return false;
}

// Leaving the bar altogether leaves no hover marks behind.
void OptionBar::Picture2_PointerLeft() {
    for (auto* f : Shape5)
        f->hide();
    showRememberedPenFrame();
    PicColor_MouseMove();
    // The open list takes the pointer away; the face stays pressed meanwhile.
    if (!sizeListOpen()) PicFont_MouseMove();
}

} // namespace kv
