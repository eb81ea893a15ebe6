#pragma once

// The names of the editor's drawing tools and what kind of chooser each has.
#include <memory>

class QPainter;

namespace kv {

class Tool;

// The editor's drawing tools: the five described ones, then Kolvane's own on the second
// bar. None: no tool armed yet.
enum class ToolKind { None, Arrow, Text, Ellipse, Rectangle, Brush, Mosaic, StepNumber };

// Which chooser the option bar shows beside its colour grid for a tool.
enum class ToolChooser { None, PenSize, FontSize };

// Draws a 16 x 16 icon onto a transparent, smoothed painter.
using IconPainter = void (*)(QPainter&);

// Everything a drawing tool is: a row of the tool table (tooltable.h).
struct ToolInfo {
    ToolKind kind;
    int button;            // its tool-bar button, Image2 index
    const char* tip;       // the button's tip text (UTF-8), as the system names the tool
    IconPainter paintIcon; // the button's icon
    int penSlot;           // where it remembers its pen size (0..4); -1: no pen size
    ToolChooser chooser;   // the option bar's chooser
    double optionBarWidth; // the option bar's width while it is armed, in pixels
    // What presses, moves and releases do with it; the tool keeps its row.
    std::unique_ptr<Tool> (*make)(const ToolInfo& info);
    // The editor key that arms it (Qt::Key; 0: only its button). Kolvane's own tools
    // stand on the second bar (button >= kFirstSecondBarButton) and have a key.
    int key = 0;
};

inline constexpr int kToolCount = 7;
inline constexpr int kPenSlotCount = 5;

} // namespace kv
