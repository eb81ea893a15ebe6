#pragma once

#include <QRect>
#include <cmath>

namespace kv {

// Rounds to the nearest integer, halves to the even neighbour (the default
// floating-point rounding mode), as every "whole pixel" in Kolvane is taken.
inline int nearInt(double x) {
    return static_cast<int>(std::nearbyint(x));
}

// The main window was laid out in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
inline int twips(int t) {
    return nearInt(t / double(kTwipsPerPixel));
}
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

} // namespace kv
