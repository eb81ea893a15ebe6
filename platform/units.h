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

// The main window's design at the desktop's scale: twips and designed pixels (the
// pixels of the design at scale 1) to screen pixels. At scale 1 it is the plain
// conversion above; the region editor never scales and uses that one.
class UiScale {
public:
    UiScale() = default;
    explicit UiScale(double factor) : factor_(factor) {}
    double factor() const { return factor_; }

    int twips(int t) const { return nearInt(t * factor_ / kTwipsPerPixel); }
    QRect twipsRect(int left, int top, int width, int height) const {
        return QRect(twips(left), twips(top), twips(width), twips(height));
    }
    int px(int designed) const { return nearInt(designed * factor_); }
    double pxF(double designed) const { return designed * factor_; }
    QSize px(QSize designed) const { return QSize(px(designed.width()), px(designed.height())); }
    QRect px(QRect designed) const {
        return QRect(px(designed.x()), px(designed.y()), px(designed.width()),
                     px(designed.height()));
    }

private:
    double factor_ = 1.0;
};

} // namespace kv
