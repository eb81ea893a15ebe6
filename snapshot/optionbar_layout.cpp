#include "snapshot/optionbar_layout.h"

#include <algorithm>

namespace kv {

QPointF optionBarPosition(const QRectF& toolBar, double optionBarHeight, const QRectF& monitor) {
    const double below = toolBar.top() + toolBar.height() + kOptionBarGap;
    if (monitor.top() + monitor.height() >= below + optionBarHeight) return {toolBar.left(), below};
    const double above = toolBar.top() - optionBarHeight - kOptionBarGap;
    return {toolBar.left(), std::max(above, monitor.top())};
}

} // namespace kv
