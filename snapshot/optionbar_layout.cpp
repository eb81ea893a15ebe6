#include "snapshot/optionbar_layout.h"

#include "snapshot/strokes.h"

namespace kv {

QPointF optionBarPosition(const QRectF& toolBar, double optionBarHeight, double screenHeight) {
    const double below = toolBar.top() + toolBar.height() + kOptionBarGap;
    if (screenHeight >= below + optionBarHeight) return {toolBar.left(), below};
    return {toolBar.left(), toolBar.top() - optionBarHeight - kOptionBarGap};
}

double optionBarWidthFor(const QString& toolName) {
    if (toolName == kArrowTool) return kOptionBarFullWidth - kChooserWidth - 2.0;
    return kOptionBarFullWidth;
}

double colourGridLeftFor(const QString& toolName) {
    return toolName == kArrowTool ? kChooserLeft : kColourGridLeft;
}

} // namespace kv
