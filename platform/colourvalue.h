#pragma once

#include <QColor>
#include <QRgb>

namespace kv {

// The window system's colour value: a 32-bit integer laid out 0x00BBGGRR, red in the
// low byte. Kolvane's designed colours, the notations and the editor's read-out all
// speak it; this is the one place that packs and unpacks it.
struct Channels {
    int red = 0;
    int green = 0;
    int blue = 0;
};

constexpr int ColourValue(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// Integer division truncates toward zero and % keeps the dividend's sign, so a
// negative value (the editor's "no pixel" read-out, -1) splits into (-1, 0, 0).
constexpr Channels SplitColourValue(int colour) {
    return {colour % 256, (colour / 256) % 256, (colour / 65536) % 256};
}

inline int ColourValueOf(QRgb pixel) {
    return ColourValue(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

inline QColor ColourFromValue(int colour) {
    const Channels c = SplitColourValue(colour);
    return QColor(c.red, c.green, c.blue);
}

} // namespace kv
