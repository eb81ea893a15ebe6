#include "snapshot/toolbar_layout.h"

namespace kv {

const ToolButtonLayout& toolButtonLayout(int index) {
    for (const auto& b : kToolButtons)
        if (b.index == index) return b;
    return kToolButtons.front();
}

QString toolButtonTip(int index) {
    return QString::fromUtf8(toolButtonLayout(index).tip);
}

bool isDrawingToolButton(int index) {
    return index == kArrowButton || index == kTextButton || index == kEllipseButton ||
           index == kRectangleButton || index == kBrushButton;
}

} // namespace kv
