#pragma once

#include "platform/colourvalue.h"

#include <QObject>
#include <array>

namespace kv {

// The one current colour of the colour page: red, green and blue, 0 to 255 each.
// Every colour source ends in Set; the channel sliders and the panel are views that
// follow channelChanged.
class CurrentColour : public QObject {
    Q_OBJECT
public:
    enum Channel { Red = 0, Green = 1, Blue = 2 };

    explicit CurrentColour(int red = 30, int green = 144, int blue = 255,
                           QObject* parent = nullptr);

    int red() const { return channels_[Red]; }
    int green() const { return channels_[Green]; }
    int blue() const { return channels_[Blue]; }
    int channel(int which) const { return channels_[which]; }
    int value() const { return ColourValue(red(), green(), blue()); }

    // Red, then green, then blue. Each channel that really changes is reported at
    // once, before the next one is set, so a view sees one report per changed
    // channel and the last report shows the final colour.
    void Set(int red, int green, int blue);
    // Values outside 0 to 255 are held at the nearer end, as a slider would. True
    // when the channel changed (and was reported).
    bool SetChannel(int which, int value);

signals:
    void channelChanged(int which);

private:
    std::array<int, 3> channels_;
};

} // namespace kv
