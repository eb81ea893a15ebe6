#include "colour/currentcolour.h"

#include <algorithm>

namespace kv {

CurrentColour::CurrentColour(int red, int green, int blue, QObject* parent)
    : QObject(parent), channels_{std::clamp(red, 0, 255), std::clamp(green, 0, 255),
                                 std::clamp(blue, 0, 255)} {}

void CurrentColour::Set(int red, int green, int blue) {
    SetChannel(Red, red);
    SetChannel(Green, green);
    SetChannel(Blue, blue);
}

bool CurrentColour::SetChannel(int which, int value) {
    value = std::clamp(value, 0, 255);
    if (channels_[which] == value) return false;
    channels_[which] = value;
    emit channelChanged(which);
    return true;
}

} // namespace kv
