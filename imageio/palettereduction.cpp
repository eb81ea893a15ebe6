#include "imageio/palettereduction.h"

#include "imageio/colourcount.h"
#include "imageio/wuboxes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>

namespace kv {

namespace {

constexpr int paletteSize = 256;
// Up to half the palette goes to colours that fill large areas, each at least
// this share of the picture.
constexpr int maxExactColours = paletteSize / 2;
constexpr qsizetype exactShare = 4096;
constexpr int refinements = 2;

std::vector<WeightedColour> weighted(const ColourCount& count) {
    std::vector<WeightedColour> all;
    all.reserve(count.colours().size());
    for (QRgb c : count.colours())
        all.push_back({c, count.countOf(c)});
    return all;
}

// The colours that keep their own palette entry: the most frequent ones, each
// filling at least a share of the picture.
std::vector<QRgb> exactColours(const std::vector<WeightedColour>& all, qsizetype pixels) {
    const quint32 least = quint32(std::max<qsizetype>(2, pixels / exactShare));
    std::vector<WeightedColour> frequent;
    std::copy_if(all.begin(), all.end(), std::back_inserter(frequent),
                 [&](const auto& w) { return w.count >= least; });
    const size_t n = std::min<size_t>(frequent.size(), maxExactColours);
    std::partial_sort(frequent.begin(), frequent.begin() + ptrdiff_t(n), frequent.end(),
                      [](const auto& a, const auto& b) { return a.count > b.count; });
    std::vector<QRgb> exact;
    for (size_t i = 0; i < n; ++i)
        exact.push_back(frequent[i].colour);
    return exact;
}

// k-means rounds over the distinct colours; the exact colours stay where they are.
void refine(std::vector<QRgb>& palette, int fixed, const std::vector<WeightedColour>& all) {
    for (int round = 0; round < refinements; ++round) {
        const NearestColour nearest(palette);
        std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        int k = 0;
        for (const auto& [c, n] : all) {
            k = nearest(c, k);
            auto& s = sums[size_t(k)];
            s[0] += n;
            s[1] += double(n) * qRed(c);
            s[2] += double(n) * qGreen(c);
            s[3] += double(n) * qBlue(c);
        }
        for (size_t k = size_t(fixed); k < palette.size(); ++k) {
            const auto& s = sums[k];
            if (s[0] <= 0) continue;
            palette[k] = qRgb(int(std::lround(s[1] / s[0])), int(std::lround(s[2] / s[0])),
                              int(std::lround(s[3] / s[0])));
        }
    }
}

std::vector<QRgb> choosePalette(const std::vector<WeightedColour>& all, qsizetype pixels) {
    std::vector<QRgb> palette = exactColours(all, pixels);
    const int fixed = int(palette.size());
    std::vector<WeightedColour> rest;
    rest.reserve(all.size());
    const std::vector<QRgb> sorted = [&] {
        std::vector<QRgb> v = palette;
        std::sort(v.begin(), v.end());
        return v;
    }();
    for (const auto& w : all)
        if (!std::binary_search(sorted.begin(), sorted.end(), w.colour)) rest.push_back(w);
    for (QRgb c : wuPalette(rest, paletteSize - fixed))
        palette.push_back(c);
    refine(palette, fixed, all);
    return palette;
}

} // namespace

NearestColour::NearestColour(const std::vector<QRgb>& palette) {
    for (size_t i = 0; i < palette.size(); ++i)
        byIndex_.push_back({qGreen(palette[i]), qRed(palette[i]), qBlue(palette[i]), int(i)});
    byGreen_ = byIndex_;
    std::sort(byGreen_.begin(), byGreen_.end(),
              [](const Entry& a, const Entry& b) { return a.g < b.g; });
    size_t e = 0;
    for (int g = 0; g <= 256; ++g) {
        while (e < byGreen_.size() && byGreen_[e].g < g)
            ++e;
        firstWithGreen_[size_t(g)] = int(e);
    }
}

int NearestColour::operator()(QRgb colour, int hint) const {
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    int best = INT_MAX, bestIndex = 0;
    auto consider = [&](const Entry& e) {
        const int dg = e.g - g;
        if (dg * dg >= best) return false;
        const int dr = e.r - r, db = e.b - b;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            bestIndex = e.index;
        }
        return true;
    };
    if (hint >= 0 && hint < int(byIndex_.size())) consider(byIndex_[size_t(hint)]);
    // Outwards from the colour's green in both directions, until the green
    // difference alone exceeds the best distance found.
    const int start = firstWithGreen_[size_t(g)], n = int(byGreen_.size());
    for (int up = start, down = start - 1; up < n || down >= 0;) {
        if (up < n && !consider(byGreen_[size_t(up++)])) up = n;
        if (down >= 0 && !consider(byGreen_[size_t(down--)])) down = -1;
    }
    return bestIndex;
}

IndexedPicture reduceToPalette(const QImage& rgb32) {
    ColourCount count(rgb32);
    IndexedPicture out;
    if (count.distinct() <= paletteSize) {
        out.palette = count.colours();
    } else {
        const std::vector<WeightedColour> all = weighted(count);
        out.palette = choosePalette(all, qsizetype(rgb32.width()) * rgb32.height());
    }
    const NearestColour nearest(out.palette);
    int k = 0;
    for (QRgb c : count.colours()) {
        k = nearest(c, k);
        count.setIndex(c, uchar(k));
    }
    out.pixels = count.remap(rgb32);
    for (QRgb& c : out.palette)
        c |= 0xff000000u;
    return out;
}

} // namespace kv
