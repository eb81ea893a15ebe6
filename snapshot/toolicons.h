#pragma once

#include <QImage>

namespace kv {

// The editor's own artwork, drawn in code: crisp 16 x 16 icons on a transparent
// ground in one style (dark blue-grey line work with a few colour accents).

// The icon of tool-bar button `index` (0..9): undo, finish, save, exit, arrow, text,
// ellipse, rectangle, redo, brush.
QImage toolButtonIcon(int index);

// The pen-size dots: small, medium and large for size buttons 0, 1 and 2.
QImage penSizeIcon(int sizeButton);

// The font-size chooser's icon: a large and a small letter.
QImage fontSizeIcon();

// The faces of the font-size box (50 x 22): a white field with a drop button showing
// a down-pointing triangle.
enum class ComboFace { Normal = 0, Hover = 1, Pressed = 2 };
QImage comboFaceImage(ComboFace face);

} // namespace kv
