// The one table of what each drawing tool is.
#include "snapshot/tooltable.h"

#include "snapshot/mosaictool.h"
#include "snapshot/optionbar_layout.h"
#include "snapshot/stepnumbertool.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/toolicons.h"
#include "snapshot/toolicons_extra.h"
#include "snapshot/tools.h"

namespace kv {

namespace {

// The arrow has no sizes to choose, so its option bar ends after the colour grid.
constexpr double kNarrowOptionBar = kOptionBarFullWidth - kChooserWidth - 2.0; // 166.33 px

const CommandButton* commandOf(int index) {
    for (const auto& c : commandButtons())
        if (c.index == index) return &c;
    return nullptr;
}

} // namespace

const std::array<ToolInfo, kToolCount>& toolTable() {
    // "椎圆工具" is how the system has always named the ellipse tool; it stays.
    static const std::array<ToolInfo, kToolCount> table{{
        {ToolKind::Arrow, kArrowButton, "箭头工具", paintArrowIcon, -1, ToolChooser::None,
         kNarrowOptionBar, makeArrowTool},
        {ToolKind::Text, kTextButton, "文字工具", paintTextIcon, -1, ToolChooser::FontSize,
         kOptionBarFullWidth, makeTextTool},
        {ToolKind::Ellipse, kEllipseButton, "椎圆工具", paintEllipseIcon, 0, ToolChooser::PenSize,
         kOptionBarFullWidth, makeEllipseTool},
        {ToolKind::Rectangle, kRectangleButton, "矩形工具", paintRectangleIcon, 1,
         ToolChooser::PenSize, kOptionBarFullWidth, makeRectangleTool},
        {ToolKind::Brush, kBrushButton, "画刷工具", paintBrushIcon, 2, ToolChooser::PenSize,
         kOptionBarFullWidth, makeBrushTool},
        // Kolvane's own: the size buttons choose the mosaic's blocks and the circle's size.
        {ToolKind::Mosaic, kFirstSecondBarButton, "马赛克", paintMosaicIcon, 3,
         ToolChooser::PenSize, kOptionBarFullWidth, makeMosaicTool, Qt::Key_M},
        {ToolKind::StepNumber, kFirstSecondBarButton + 1, "序号", paintStepNumberIcon, 4,
         ToolChooser::PenSize, kOptionBarFullWidth, makeStepNumberTool, Qt::Key_N},
    }};
    return table;
}

const std::array<CommandButton, 5>& commandButtons() {
    static const std::array<CommandButton, 5> table{{
        {kUndoButton, "撤销", paintUndoIcon},
        {kRedoButton, "重做", paintRedoIcon},
        {kSaveButton, "保存", paintSaveIcon},
        {kExitButton, "退出截屏", paintExitIcon},
        {kFinishButton, "完成截图", paintFinishIcon},
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

double optionBarWidthFor(ToolKind tool) {
    const ToolInfo* t = toolInfo(tool);
    return t ? t->optionBarWidth : kOptionBarFullWidth;
}

double colourGridLeftFor(ToolKind tool) {
    const ToolInfo* t = toolInfo(tool);
    return t && t->chooser == ToolChooser::None ? kChooserLeft : kColourGridLeft;
}

QString toolButtonTip(int index) {
    if (const ToolInfo* t = toolInfo(toolOfButton(index))) return QString::fromUtf8(t->tip);
    if (const CommandButton* c = commandOf(index)) return QString::fromUtf8(c->tip);
    return QString();
}

QImage toolButtonIcon(int index) {
    if (const ToolInfo* t = toolInfo(toolOfButton(index))) return iconImage(t->paintIcon);
    if (const CommandButton* c = commandOf(index)) return iconImage(c->paintIcon);
    return iconImage(nullptr);
}

} // namespace kv
