// The text box's growth and the font-size text.
#include "snapshot/textbox.h"

#include <algorithm>
#include <cmath>

namespace kv {

int grownTextBoxWidth(int boxWidth, int textWidth) {
    return textWidth + 15 >= boxWidth ? textWidth + 15 : boxWidth;
}

float fontSizeFromText(const QString& text, float lastValid) {
    bool ok = false;
    const float size = text.trimmed().toFloat(&ok);
    if (!ok || !std::isfinite(size) || size <= 0.0f || size > kMaxFontSize) return lastValid;
    return size;
}

int fontPixelSize(float points) {
    return std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0)));
}

} // namespace kv
