// The mosaic's and the numbered marker's strokes on the editor's surface.
#include "snapshot/markstrokes.h"

#include "snapshot/mosaic.h"
#include "snapshot/stepnumber.h"
#include "snapshot/strokes.h"
#include "snapshot/surface.h"

namespace kv {

int mosaicBlockSizeOf(int sizeButton) {
    return sizeButton >= 0 && sizeButton < int(kMosaicBlockSizes.size())
               ? kMosaicBlockSizes[std::size_t(sizeButton)]
               : kDefaultMosaicBlockSize;
}

QRect paintMosaicStroke(Surface& surface, const QRectF& selection, QPointF start, QPointF at,
                        int blockSize) {
    surface.clear();
    const QRect area = mosaicArea(start, clipToSelection(selection, at), selection, surface.size());
    if (area.isEmpty()) return area;
    // The committed picture is what lies around the area now; the working image is
    // only it again after the clear, and may be the very image painted on.
    const QImage under = surface.committed();
    surface.paint([&](QPainter& p) { drawMosaic(p, under, area, blockSize); }, area);
    return area;
}

void paintStepStroke(Surface& surface, const QRectF& selection, QPointF click, QPointF at,
                     int number, int penWidth, const QColor& colour) {
    surface.clear();
    StepMarker marker{stepMarkerCentre(click), number, stepMarkerDiameter(penWidth), colour, {}};
    const QPointF end = clipToSelection(selection, stepMarkerCentre(at));
    if (stepPointerLine(marker.centre, marker.diameter, end)) marker.pointerEnd = end;
    surface.paint([&](QPainter& p) { drawStepMarker(p, marker); }, stepMarkerBounds(marker));
}

} // namespace kv
