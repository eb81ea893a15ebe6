#include "app/colourmenu.h"

#include "app/colourpage.h"
#include "app/pageframe.h"
#include "colour/colourformats.h"
#include "colour/contrast.h"
#include "colour/notations.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace kv {

ColourMenu::ColourMenu(ColourPage& page, PageFrame& frame, QClipboard* clipboard)
    : page_(page), frame_(frame), clipboard_(clipboard), settled_(current()),
      export_(frame.frameWindow()) {
    // The preview asks for its menu itself (a right press, or the menu key while it
    // has the focus); nothing else of the page sees the click.
    page_.PicCLR->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(page_.PicCLR, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { Popup(page_.PicCLR->mapToGlobal(at)); });
    connect(&page_, &ColourPage::colourPicked, this, &ColourMenu::ColourPicked);
}

ColourMenu::~ColourMenu() = default;

QRgb ColourMenu::current() const {
    const CurrentColour& c = page_.colour();
    return qRgb(c.red(), c.green(), c.blue());
}

QStringList ColourMenu::formatTexts() const {
    const QRgb c = current();
    QStringList texts;
    for (ColourFormat format : kColourFormats)
        texts << FormatColour(format, qRed(c), qGreen(c), qBlue(c));
    return texts;
}

QStringList ColourMenu::contrastTexts() const {
    const QRgb c = current();
    QStringList texts{ContrastLine(c)};
    if (const auto previous = settled_.previousOf(c)) texts << ContrastWithLine(c, *previous);
    return texts;
}

void ColourMenu::Popup(QPoint globalPos) {
    // Made afresh each time: every text belongs to the colour of the moment.
    menu_ = std::make_unique<QMenu>(frame_.frameWindow());
    fill(*menu_);
    menu_->popup(globalPos);
}

void ColourMenu::fill(QMenu& menu) {
    auto addCopying = [&](const QStringList& texts) {
        for (const QString& text : texts)
            connect(menu.addAction(text), &QAction::triggered, this,
                    [this, text] { CopyText(text); });
        menu.addSeparator();
    };
    addCopying(formatTexts());
    // Shown in the menu's full text colour (a disabled item's grey would itself fail
    // the check), and copied when chosen, as every text above them.
    addCopying(contrastTexts());
    addRecent(menu);
    QAction* exportAction = menu.addAction(QStringLiteral("导出调色板…"));
    exportAction->setEnabled(!recent_.isEmpty());
    connect(exportAction, &QAction::triggered, this, &ColourMenu::ExportPalette);
}

void ColourMenu::addRecent(QMenu& menu) {
    QMenu* list = menu.addMenu(QStringLiteral("最近颜色"));
    list->setEnabled(!recent_.isEmpty());
    const int size = list->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list);
    for (QRgb colour : recent_.colours()) {
        const QString html = FormatColourNotations(qRed(colour), qGreen(colour), qBlue(colour))[0];
        QAction* action = list->addAction(swatch(colour, size), html);
        connect(action, &QAction::triggered, this, [this, colour] { ChooseRecent(colour); });
    }
}

QIcon ColourMenu::swatch(QRgb colour, int size) const {
    QPixmap pixmap(size, size);
    pixmap.fill(QColor(colour));
    // A grey rim, so that white and the menu's own colour still show as a swatch.
    QPainter painter(&pixmap);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(0, 0, size - 1, size - 1);
    return QIcon(pixmap);
}

void ColourMenu::ColourPicked() {
    const QRgb c = current();
    recent_.add(c);
    settled_.settle(c);
}

void ColourMenu::CopyText(const QString& text) {
    QClipboard* clipboard = clipboard_ ? clipboard_ : QGuiApplication::clipboard();
    clipboard->setText(text);
    frame_.ShowTip(QStringLiteral("温馨提示：已复制 ") + text);
}

void ColourMenu::ChooseRecent(QRgb colour) {
    page_.SetCurrentColour(qRed(colour), qGreen(colour), qBlue(colour));
    settled_.settle(colour);
}

void ColourMenu::ExportPalette() {
    if (recent_.isEmpty()) return;
    if (const auto written = export_.Run(recent_.colours()))
        frame_.ShowTip(QStringLiteral("温馨提示：调色板已导出到 ") + *written);
}

} // namespace kv
