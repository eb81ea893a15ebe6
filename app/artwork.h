#pragma once

#include <QImage>

namespace kv {

// Kolvane's own artwork, drawn in code so it stays crisp at its exact pixel size.
namespace artwork {

QImage Banner(QSize size);                   // title strip across the top
QImage ProgramIcon(int size);                // honeycomb drop, square, transparent
QImage TitleButton(int state);               // 20 x 20: 0 normal, 1 hover, 2 pressed
QImage DropperIcon();                        // 32 x 32 eyedropper, tip at lower left
QImage ColourTabIcon(int size);              // palette icon of the "取色" tab
QImage CaptureTabIcon(int size);             // camera/frame icon of the "屏幕截图" tab
QImage CaptureCube(QSize size = {401, 257}); // glossy rainbow-striped cube on white

// The dropper's hot spot: the very tip of the icon, at its lower left.
constexpr int kDropperHotX = 2;
constexpr int kDropperHotY = 29;

} // namespace artwork
} // namespace kv
