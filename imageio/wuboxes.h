#pragma once
// A first palette by Xiaolin Wu's variance-minimising box cuts ("Efficient
// Statistical Computations for Optimal Color Quantization", Graphics Gems II):
// the colour cube at 5 bits a channel is cut, box by box, where the cut leaves
// the least squared error, and each box's mean becomes a palette colour.
#include <QRgb>

#include <vector>

namespace kv {

struct WeightedColour {
    QRgb colour;
    quint32 count;
};

// At most `maxColours` colours (fewer when the boxes cannot be cut further).
std::vector<QRgb> wuPalette(const std::vector<WeightedColour>& colours, int maxColours);

} // namespace kv
