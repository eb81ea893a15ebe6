#pragma once

// The icons of the mosaic and numbered-step tools, drawn in code in the tool bar's style.
class QPainter;

namespace kv {

// Each paints a 16 x 16 icon onto a transparent, smoothed painter (see iconImage).
// A frame of small squares in shades of the icons' blue and ink: the mosaic.
void paintMosaicIcon(QPainter& p);
// A filled circle with a 1 in it: a numbered step.
void paintStepNumberIcon(QPainter& p);

} // namespace kv
