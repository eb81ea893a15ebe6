#pragma once

#include <QString>
#include <array>

namespace kv {

// Colour value in the 0x00BBGGRR layout (red in the low byte).
inline int ColourValue(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

// The six programmer notations of a colour, in box order: HTML, decimal value,
// RGB call, VB, C++, Delphi.
std::array<QString, 6> FormatColourNotations(int red, int green, int blue);

} // namespace kv
