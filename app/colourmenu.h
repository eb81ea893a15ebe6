#pragma once

// The colour preview's menu: further notations, contrast, recent colours, palette export.
#include "app/paletteexport.h"
#include "colour/recentcolours.h"

#include <QObject>
#include <QPoint>
#include <QRgb>
#include <QStringList>
#include <memory>

class QClipboard;
class QIcon;
class QMenu;

namespace kv {

class ColourPage;
class PageFrame;

// The menu a right click on the colour preview opens, for the current colour: its
// notations for style sheets and shader code and its contrast against white, black
// and the previous colour (a choice copies the text), the colours picked in this run
// (a choice makes one current) and their export as a palette file.
class ColourMenu : public QObject {
    Q_OBJECT
public:
    // `clipboard` is the application's when null.
    ColourMenu(ColourPage& page, PageFrame& frame, QClipboard* clipboard = nullptr);
    ~ColourMenu() override;

    // Opens the menu for the current colour at a screen point.
    void Popup(QPoint globalPos);
    // The menu on show, or the one shown last; null before the first.
    QMenu* menu() const { return menu_.get(); }

    // A pick has set the current colour: it becomes the newest recent colour.
    void ColourPicked();
    // Puts the text on the clipboard as it is and says so on the tip line.
    void CopyText(const QString& text);
    // Makes a recent colour the current one (it stays where it is in the list).
    void ChooseRecent(QRgb colour);
    void ExportPalette();

    const RecentColours& recent() const { return recent_; }
    // The notations the menu offers for the current colour, in its order.
    QStringList formatTexts() const;
    // The menu's contrast lines for the current colour.
    QStringList contrastTexts() const;

private:
    QRgb current() const;
    void fill(QMenu& menu);
    void addRecent(QMenu& menu);
    QIcon swatch(QRgb colour, int size) const;

    ColourPage& page_;
    PageFrame& frame_;
    QClipboard* clipboard_;
    RecentColours recent_;
    SettledColours settled_;
    PaletteExport export_;
    std::unique_ptr<QMenu> menu_;
};

} // namespace kv
