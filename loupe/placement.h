#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

namespace kv {

// Distance from the hot spot to the loupe's nearest corner, on both axes: past
// the source pixels round the hot spot and past the pointer's own picture.
constexpr int kLoupeOffset = 20;

// Where a loupe of `size` goes for the hot spot `hot` on `monitor`: below and to
// the right of the pointer; flipped to the left near the monitor's right edge and
// above near its bottom edge, so it stays on the monitor. It never covers the hot
// spot or the source square round it (`sourceRadius` pixels on each side), and
// keeps clear of every rectangle in `keepClear` when one of its places can.
QRect PlaceLoupe(QPoint hot, QSize size, const QRect& monitor, int sourceRadius,
                 const std::vector<QRect>& keepClear = {});

} // namespace kv
