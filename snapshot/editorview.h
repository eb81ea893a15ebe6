#pragma once

// What the region editor's window shows over its picture, as a plain value that the
// editor session keeps up to date and the window copies onto its widgets.
#include "snapshot/selection.h"
#include "snapshot/toolkind.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <Qt>
#include <optional>

namespace kv {

// The text tool's box: where it stands, how wide it has grown and what it holds.
struct TextBoxView {
    bool open = false;
    QPoint pos;
    int width = 25;
    int height = 0;
    QString text;
    QColor colour{255, 0, 0};
    QFont font;     // the font the text is typed and drawn in
    int opened = 0; // counts openings: each one clears, raises and focuses the box
    int closed = 0; // counts closings by drawing: the editor takes the keys back
};

// Everything the editor window shows besides the picture itself.
struct EditorView {
    SelBox selection;
    bool outlineShown = false;
    bool handlesShown = false; // at handlePositions(selection)

    // The read-outs stacked at the selection's top-left corner: size, colour, hint and
    // (while it fits inside the selection and no key was used) the keys' tip.
    bool readOutsShown = false;
    QString sizeText = QStringLiteral("区域大小:宽*高");
    QString colourText = QStringLiteral("当前RGB:(0,0,0)");
    bool keysUsed = false;
    // The colour read-out alone beside the pointer (a copy notice with no selection).
    std::optional<QPoint> noticeAt;

    bool toolBarShown = false;
    QPoint toolBarPos{0, -26};
    int toolBarPlaced = 0; // counts placements: each one raises the bar

    bool optionBarShown = false;
    QPoint optionBarPos;
    ToolKind optionBarTool = ToolKind::None; // what the option bar is laid out for
    int optionBarArranged = 0;               // counts layouts for optionBarTool
    int optionBarRaised = 0;                 // counts showings: each one raises the bar

    TextBoxView textBox;

    // The screen-wide pointer; none: the window's own. Counts requests, so that a shape
    // another widget set meanwhile is replaced again, as each request did.
    std::optional<Qt::CursorShape> pointer;
    int pointerSet = 0;
    // The loupe at this point of the picture; counts requests so each one draws anew.
    std::optional<QPoint> loupeAt;
    int loupeShown = 0;
};

} // namespace kv
