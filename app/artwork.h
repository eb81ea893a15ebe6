#pragma once

// Kolvane's own artwork for the main window, drawn in code at the desktop's scale.
#include <QImage>

namespace kv {

// Kolvane's own artwork, drawn in code so it stays crisp at its exact pixel size.
// A scale draws the design that much larger, line by line on the screen's pixels
// (for a HiDPI desktop), not a small picture enlarged.
namespace artwork {

QImage Banner(QSize size, double scale = 1.0);     // title strip; size in screen pixels
QImage ProgramIcon(int size, double scale = 1.0);  // honeycomb drop, square, transparent
QImage TitleButton(int state, double scale = 1.0); // 20 x 20: 0 normal, 1 hover, 2 pressed
QImage DropperIcon(double scale = 1.0);            // 32 x 32 eyedropper, tip at lower left
QImage ColourTabIcon(int size);                    // palette icon of the "取色" tab
QImage CaptureTabIcon(int size);                   // camera/frame icon of the "屏幕截图" tab
QImage CaptureCube(QSize size = {401, 257});       // glossy rainbow-striped cube on white

// The dropper's hot spot: the very tip of the icon, at its lower left.
constexpr int kDropperHotX = 2;
constexpr int kDropperHotY = 29;
// The same tip in the icon drawn at a scale.
QPoint DropperHotSpot(double scale);

} // namespace artwork
} // namespace kv
