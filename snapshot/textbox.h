#pragma once

// The text tool's box, as plain rules: its width and its font size.
#include <QString>

namespace kv {

// The width the text box takes after its text changed: it widens to the text's width
// plus 15 pixels once the text reaches its right edge, and never narrows.
int grownTextBoxWidth(int boxWidth, int textWidth);

// The font size, in points, written in the font-size box. Anything that is not a
// positive number the text can be drawn at (empty, letters, zero, negative, absurdly
// large) gives `lastValid` instead, so a mistyped size never breaks the text tool.
float fontSizeFromText(const QString& text, float lastValid);

// Largest font size accepted from the font-size box, in points.
constexpr float kMaxFontSize = 1000.0f;
// Font size before any valid size was read.
constexpr float kDefaultFontSize = 11.0f;

// Pixel height of a font of `points` points on the editor's 96-dot-per-inch surface;
// the text box and the drawn text use the same value so that they match.
int fontPixelSize(float points);

} // namespace kv
