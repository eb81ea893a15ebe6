#pragma once

// The redacting mosaic: a rectangle covered with blocks made only from what surrounds it.
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <array>

class QPainter;

namespace kv {

// The block sizes the option bar offers, in pixels, and the one a new editor starts with.
inline constexpr std::array<int, 3> kMosaicBlockSizes{8, 12, 20};
inline constexpr int kDefaultMosaicBlockSize = 12;
// How deep the ring around the rectangle is that the mosaic takes its colours from.
inline constexpr int kMosaicRingWidth = 4;

// The whole pixels a mosaic dragged from `from` to `to` covers: every pixel the drag's
// rectangle touches, held to the selection's whole pixels (each edge rounded as the cut
// rounds it) and to a picture of `picture` size. Empty when nothing is left.
QRect mosaicArea(QPointF from, QPointF to, const QRectF& selection, QSize picture);

// The mosaic that covers `area` of `picture` (the part of it inside the picture, as
// Format_RGB32 of that size; null when nothing is left), in square
// blocks of `blockSize` pixels from the area's top-left corner; the last row and column
// end at the area's edge. No pixel inside `area` is read: each block's colour is
// blended from the ring of pixels around the area (kMosaicRingWidth deep, as far as the
// picture reaches), nearest sides first, and varied by a texture seeded from the area,
// the block size and the ring. The same surroundings therefore always give the same
// mosaic, whatever lay beneath. With no ring at all (an area as large as the picture)
// the blocks are shades of a neutral grey.
QImage mosaicTile(const QImage& picture, const QRect& area, int blockSize);

// Paints mosaicTile(picture, area, blockSize) at the area's place.
void drawMosaic(QPainter& painter, const QImage& picture, const QRect& area, int blockSize);

} // namespace kv
