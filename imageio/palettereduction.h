#pragma once
// Reducing a true-colour picture to a palette of at most 256 colours for GIF.
// Made for screenshots: the colours that fill large areas (window backgrounds,
// bars, text) keep their exact value, the rest (photos, gradients, smoothed
// edges) share palette colours chosen by box cuts and refined by a few rounds
// of k-means, and each pixel takes its nearest palette colour. Pictures with at
// most 256 colours come back unchanged.
#include <QImage>
#include <QRgb>

#include <array>
#include <vector>

namespace kv {

struct IndexedPicture {
    std::vector<QRgb> palette; // 1 to 256 colours
    std::vector<uchar> pixels; // width * height palette indices, rows without padding
};

// `rgb32` is an opaque picture in Format_RGB32 (alpha is ignored).
IndexedPicture reduceToPalette(const QImage& rgb32);

// The palette colour nearest (in plain RGB distance) to a colour.
class NearestColour {
public:
    explicit NearestColour(const std::vector<QRgb>& palette);
    // `hint`, a palette index that is probably close (the answer for a similar
    // colour), only makes the search shorter.
    int operator()(QRgb colour, int hint = 0) const;

private:
    struct Entry {
        int g, r, b, index;
    };
    std::vector<Entry> byGreen_; // sorted by green, so the search can stop early
    std::vector<Entry> byIndex_;
    std::array<int, 257> firstWithGreen_{};
};

} // namespace kv
