#include "snapshot/tooltable.h"

#include "snapshot/optionbar_layout.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/toolicons.h"

namespace kv {

namespace {

// The arrow has no sizes to choose, so its option bar ends after the colour grid.
constexpr double kNarrowOptionBar = kOptionBarFullWidth - kChooserWidth - 2.0; // 166.33 px

} // namespace

const std::array<ToolInfo, kToolCount>& toolTable() {
    // "椎圆工具" is how the system has always named the ellipse tool; it stays.
    static const std::array<ToolInfo, kToolCount> table{{
        {ToolKind::Arrow, kArrowButton, "箭头工具", paintArrowIcon, -1, ToolChooser::None,
         kNarrowOptionBar},
        {ToolKind::Text, kTextButton, "文字工具", paintTextIcon, -1, ToolChooser::FontSize,
         kOptionBarFullWidth},
        {ToolKind::Ellipse, kEllipseButton, "椎圆工具", paintEllipseIcon, 0, ToolChooser::PenSize,
         kOptionBarFullWidth},
        {ToolKind::Rectangle, kRectangleButton, "矩形工具", paintRectangleIcon, 1,
         ToolChooser::PenSize, kOptionBarFullWidth},
        {ToolKind::Brush, kBrushButton, "画刷工具", paintBrushIcon, 2, ToolChooser::PenSize,
         kOptionBarFullWidth},
    }};
    return table;
}

const ToolInfo* toolInfo(ToolKind kind) {
    for (const auto& t : toolTable())
        if (t.kind == kind) return &t;
    return nullptr;
}

ToolKind toolOfButton(int index) {
    for (const auto& t : toolTable())
        if (t.button == index) return t.kind;
    return ToolKind::None;
}

QString toolTip(ToolKind kind) {
    const ToolInfo* t = toolInfo(kind);
    return t ? QString::fromUtf8(t->tip) : QString();
}

int penSlotOf(ToolKind kind) {
    const ToolInfo* t = toolInfo(kind);
    return t ? t->penSlot : -1;
}

} // namespace kv
