#pragma once

#include <QString>
#include <array>

class QPainter;

namespace kv {

// The editor's five drawing tools. None: no tool armed yet.
enum class ToolKind { None, Arrow, Text, Ellipse, Rectangle, Brush };

// Which chooser the option bar shows beside its colour grid for a tool.
enum class ToolChooser { None, PenSize, FontSize };

// Draws a 16 x 16 icon onto a transparent, smoothed painter.
using IconPainter = void (*)(QPainter&);

// Everything a drawing tool is, in one place.
struct ToolInfo {
    ToolKind kind;
    int button;            // its tool-bar button, Image2 index
    const char* tip;       // the button's tip text (UTF-8), as the system names the tool
    IconPainter paintIcon; // the button's icon
    int penSlot;           // where it remembers its pen size (0..2); -1: no pen size
    ToolChooser chooser;   // the option bar's chooser
    double optionBarWidth; // the option bar's width while it is armed, in pixels
};

inline constexpr int kToolCount = 5;
inline constexpr int kPenSlotCount = 3;

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

} // namespace kv
