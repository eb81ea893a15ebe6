#include "colour/recentcolours.h"

#include <algorithm>

namespace kv {
namespace {
// Only the colour counts; whatever the alpha byte holds.
QRgb opaque(QRgb colour) {
    return qRgb(qRed(colour), qGreen(colour), qBlue(colour));
}
} // namespace

void RecentColours::add(QRgb colour) {
    colour = opaque(colour);
    std::erase(colours_, colour);
    colours_.insert(colours_.begin(), colour);
    if (colours_.size() > size_t(kLimit)) colours_.resize(kLimit);
}

SettledColours::SettledColours(QRgb start) : last_(opaque(start)) {}

void SettledColours::settle(QRgb colour) {
    colour = opaque(colour);
    if (colour == last_) return;
    beforeLast_ = last_;
    last_ = colour;
}

std::optional<QRgb> SettledColours::previousOf(QRgb current) const {
    if (opaque(current) != last_) return last_;
    return beforeLast_;
}

} // namespace kv
