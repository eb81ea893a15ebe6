#pragma once

#include "snapshot/toolkind.h"

#include <QImage>
#include <QString>
#include <array>

namespace kv {

// The drawing tools, in ToolKind order (Arrow first).
const std::array<ToolInfo, kToolCount>& toolTable();
// The entry of `kind`; nullptr for ToolKind::None.
const ToolInfo* toolInfo(ToolKind kind);
// The tool armed by tool-bar button `index`; None for the command buttons.
ToolKind toolOfButton(int index);
// The tip text of `kind`'s button; empty for None.
QString toolTip(ToolKind kind);
// The pen-size slot of `kind`; -1 for tools without a pen size and for None.
int penSlotOf(ToolKind kind);

// The option bar's width while `tool` is armed.
double optionBarWidthFor(ToolKind tool);
// Left edge of the colour grid while `tool` is armed: in the chooser's place for a
// tool without a chooser (the arrow), beside the chooser otherwise.
double colourGridLeftFor(ToolKind tool);

// The tool-bar buttons that are commands rather than tools.
struct CommandButton {
    int index;
    const char* tip; // UTF-8
    IconPainter paintIcon;
};
const std::array<CommandButton, 5>& commandButtons();
// The tip text of tool-bar button `index` (0..9), a tool's or a command's.
QString toolButtonTip(int index);
// The icon of tool-bar button `index` (0..9).
QImage toolButtonIcon(int index);

} // namespace kv
