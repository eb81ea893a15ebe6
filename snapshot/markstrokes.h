#pragma once

// The mosaic's and the numbered marker's strokes on the editor's surface: what their
// tools draw at each move and at the release.
#include <QColor>
#include <QPointF>
#include <QRect>
#include <QRectF>

namespace kv {

class Surface;

// The option bar's size button `sizeButton` (0, 1, 2) as a mosaic block size: 8, 12 or
// 20 pixels; 12 for anything else (a tool without a remembered size).
int mosaicBlockSizeOf(int sizeButton);

// Clears the surface, then covers the rectangle from `start` to `at` (`at` held to the
// selection, see mosaicArea) with the mosaic of the committed picture around it, on the
// surface drawn on now. The area covered; empty when there was none (nothing to keep).
QRect paintMosaicStroke(Surface& surface, const QRectF& selection, QPointF start, QPointF at,
                        int blockSize);

// Clears the surface, then draws marker `number` centred on the pixel clicked at
// `click`, its circle sized by `penWidth` (stepMarkerDiameter), in `colour`; when `at`
// (held to the selection) lies beyond the circle, with a pointer line to it.
void paintStepStroke(Surface& surface, const QRectF& selection, QPointF click, QPointF at,
                     int number, int penWidth, const QColor& colour);

} // namespace kv
