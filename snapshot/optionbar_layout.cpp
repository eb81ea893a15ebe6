#include "snapshot/optionbar_layout.h"

#include "snapshot/strokes.h"

#include <algorithm>

namespace kv {

QPointF optionBarPosition(const QRectF& toolBar, double optionBarHeight, const QRectF& monitor) {
    const double below = toolBar.top() + toolBar.height() + kOptionBarGap;
    if (monitor.top() + monitor.height() >= below + optionBarHeight) return {toolBar.left(), below};
    const double above = toolBar.top() - optionBarHeight - kOptionBarGap;
    return {toolBar.left(), std::max(above, monitor.top())};
}

double optionBarWidthFor(const QString& toolName) {
    if (toolName == kArrowTool) return kOptionBarFullWidth - kChooserWidth - 2.0;
    return kOptionBarFullWidth;
}

double colourGridLeftFor(const QString& toolName) {
    return toolName == kArrowTool ? kChooserLeft : kColourGridLeft;
}

} // namespace kv
