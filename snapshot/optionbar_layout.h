#pragma once

#include <QPointF>
#include <QRectF>

namespace kv {

// The option bar under (or over) the tool bar, laid out in twips (15 to a pixel).
constexpr double kOptionBarFullWidth = 3620.0 / 15; // 241.33 px
constexpr double kOptionBarHeight = 560.0 / 15;     // 37.33 px
constexpr double kOptionBarGap = 3.0;               // from the tool bar
constexpr double kChooserLeft = 4.0;                // pen-size and font-size choosers
constexpr double kChooserTop = 8.0;
constexpr double kChooserWidth = 73.0;
constexpr double kChooserHeight = 25.0;
constexpr double kColourGridLeft = 1180.0 / 15; // 78.67 px, beside a chooser
constexpr double kColourGridTop = 4.0;
constexpr double kColourGridWidth = 161.0;
constexpr double kColourGridHeight = 440.0 / 15; // 29.33 px

// Where the option bar goes for a tool bar at `toolBar` on `monitor` (the tool bar's):
// left edges aligned, 3 pixels below the tool bar when it fits above the monitor's
// bottom, otherwise 3 pixels above, and never above the monitor's top.
QPointF optionBarPosition(const QRectF& toolBar, double optionBarHeight, const QRectF& monitor);

} // namespace kv
