#pragma once

// The plain arithmetic of a pin: its zoom and opacity steps, where its picture
// stands, and which picture pixel each screen pixel shows.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

namespace kv {

// The zoom steps a pin goes through, in percent of the picture's own size.
inline constexpr std::array<int, 12> kPinZoomSteps{10,  25,  50,  75,  100, 125,
                                                   150, 200, 300, 400, 600, 800};

// The zoom `notches` steps away from `percent` (positive: larger), stopping at
// the first and last step. A percent between two steps counts as the step on
// the side it moves away from, so the first notch lands on the next step.
int pinZoomStep(int percent, int notches);

// The opacity `notches` tenths away from `percent`, kept within 10..100.
int pinOpacityStep(int percent, int notches);

// The picture's size on the screen at a zoom: each side rounded, never below one
// pixel.
QSize zoomedSize(QSize picture, int percent);

// The picture pixel a screen pixel `offset` pixels from the picture's top-left
// shows at a zoom (the pixel whose block covers it), clamped into the picture.
QPoint pictureCoordinate(QPoint offset, QSize picture, int percent);

// The picture's new top-left after zooming from `fromPercent` to `toPercent`
// around `anchor`: the picture point under the anchor stays under it.
QPoint zoomAround(QPoint topLeft, QPoint anchor, int fromPercent, int toPercent);

// The pin window round a picture shown at `pictureTopLeft` with `shown` size: one
// border pixel on every side, outside the picture.
inline QRect pinWindowRect(QPoint pictureTopLeft, QSize shown) {
    return QRect(pictureTopLeft - QPoint(1, 1), shown + QSize(2, 2));
}

// A size grown to whole multiples of `step` on each side: a Wayland output of
// scale 2 sizes windows in its layout units, two device pixels each.
QSize roundedUpTo(QSize size, int step);

// Where a picture asked to stand with its top-left at `at` goes: there, moved
// only as far as needed to lie inside `monitor`; at the monitor's top-left on an
// axis where it is larger than the monitor.
QPoint placePinPicture(QPoint at, QSize picture, const QRect& monitor);

// Whole wheel notches from a wheel's angle deltas (120 a notch; touchpads send
// parts of one): what is left over waits for the next delta, in each direction.
class WheelNotches {
public:
    int take(int angleDelta);

private:
    int rest_ = 0;
};

} // namespace kv
