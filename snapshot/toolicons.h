#pragma once

// The region editor's icons, drawn in code.
#include <QImage>

class QPainter;

namespace kv {

// The editor's own artwork, drawn in code: crisp 16 x 16 icons on a transparent
// ground in one style (dark blue-grey line work with a few colour accents).

// The tool-bar icons, each painted onto a 16 x 16 smoothed painter; the tool table
// and the command table name them for their buttons.
void paintRectangleIcon(QPainter& p);
void paintEllipseIcon(QPainter& p);
void paintArrowIcon(QPainter& p);
void paintBrushIcon(QPainter& p);
void paintTextIcon(QPainter& p);
void paintUndoIcon(QPainter& p);
void paintRedoIcon(QPainter& p);
void paintSaveIcon(QPainter& p);
void paintExitIcon(QPainter& p);
void paintFinishIcon(QPainter& p);

// A 16 x 16 icon on a transparent ground drawn by `paint`; blank for none.
QImage iconImage(void (*paint)(QPainter&));

// The pen-size dots: small, medium and large for size buttons 0, 1 and 2.
QImage penSizeIcon(int sizeButton);

// The font-size chooser's icon: a large and a small letter.
QImage fontSizeIcon();

// The faces of the font-size box (50 x 22): a white field with a drop button showing
// a down-pointing triangle.
enum class ComboFace { Normal = 0, Hover = 1, Pressed = 2 };
QImage comboFaceImage(ComboFace face);

} // namespace kv
