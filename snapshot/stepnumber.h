#pragma once

// Numbered step markers: a filled circle with its number, and an optional pointer line.
#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <optional>
#include <vector>

class QPainter;

namespace kv {

// Diameters of the marker's circle, in pixels, for the thinnest and thickest pens.
inline constexpr int kStepMarkerMinDiameter = 20;
inline constexpr int kStepMarkerMaxDiameter = 40;

// The circle's diameter for a pen `penWidth` pixels wide: 20, 32 and 40 for the option
// bar's 1, 4 and 6 pixels; held to 20..40 for other widths.
int stepMarkerDiameter(int penWidth);

// The middle of the pixel a click at `at` lands on: where a marker is centred, so that
// its circle covers the same pixels to every side of the clicked one.
QPointF stepMarkerCentre(QPointF at);

// One numbered marker as it is painted.
struct StepMarker {
    QPointF centre; // stepMarkerCentre of the click
    int number = 1;
    int diameter = kStepMarkerMinDiameter;
    QColor colour; // the circle's and the pointer line's
    // Where a drag from the click was released: a line runs there from the circle's
    // edge. None for a plain click.
    std::optional<QPointF> pointerEnd;
};

// WCAG relative luminance of an sRGB colour, 0 (black) to 1 (white).
double relativeLuminance(const QColor& colour);
// WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor& a, const QColor& b);
// White or black, whichever contrasts more with `fill` (white on a tie).
QColor stepDigitColour(const QColor& fill);

// The pointer line from the circle's edge towards `end`; none when `end` lies inside the
// circle or on its edge, where there is nothing to point at.
std::optional<QLineF> stepPointerLine(QPointF centre, int diameter, QPointF end);
// The pointer line's width for a circle of `diameter`: 2, 3 or 4 pixels.
int stepPointerWidth(int diameter);

// Every pixel painting `marker` can change.
QRect stepMarkerBounds(const StepMarker& marker);
// Paints the pointer line (if any), then the circle, then the number centred in it in
// a bold face sized to fit (two and three digits shrink to stay inside the circle).
void drawStepMarker(QPainter& painter, const StepMarker& marker);

// Which number the next marker gets. The number is the count of markers in the history
// up to the entry shown now, plus one: undoing a marker makes the next click reuse its
// number, redoing it counts it again, and a new editor starts at 1.
class StepCounter {
public:
    // A newly opened editor: nothing placed yet.
    void restart() { markerAt_.clear(); }
    // A stroke became history entry `entry` (the history's count after the push; entry 1
    // is the snapshot); `marker` tells whether it placed a number. What was recorded for
    // `entry` and above (the redo range the push discarded) is forgotten.
    void pushed(int entry, bool marker);
    // The number of the next marker while the history shows entry `count`.
    int next(int count) const;

private:
    std::vector<bool> markerAt_; // [n] for history entry n + 2
};

} // namespace kv
