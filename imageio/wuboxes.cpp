#include "imageio/wuboxes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kv {

namespace {

constexpr int side = 33; // 32 levels a channel and a zero plane for the sums

constexpr int at(int r, int g, int b) {
    return (r * side + g) * side + b;
}

// Weight, sums of red, green and blue, and sum of squares, per cell; after
// cumulate() each cell holds the totals of the cube from the origin to it.
struct Moments {
    static constexpr int count = 5;
    std::array<std::vector<double>, count> m;
    Moments() {
        for (auto& v : m)
            v.assign(side * side * side, 0.0);
    }
    void cumulate();
};

void Moments::cumulate() {
    for (auto& v : m)
        for (int r = 1; r < side; ++r) {
            std::array<double, side> area{};
            for (int g = 1; g < side; ++g) {
                double line = 0;
                for (int b = 1; b < side; ++b) {
                    line += v[at(r, g, b)];
                    area[b] += line;
                    v[at(r, g, b)] = v[at(r - 1, g, b)] + area[b];
                }
            }
        }
}

// A box of cells, lower bounds exclusive: lo[c] < cell <= hi[c] per channel c.
struct Box {
    std::array<int, 3> lo{0, 0, 0}, hi{32, 32, 32};
    int cells() const { return (hi[0] - lo[0]) * (hi[1] - lo[1]) * (hi[2] - lo[2]); }
};

struct Sums {
    std::array<double, Moments::count> s{};
    Sums operator-(const Sums& o) const {
        Sums d;
        for (int i = 0; i < Moments::count; ++i)
            d.s[i] = s[i] - o.s[i];
        return d;
    }
    // The sum of squared means times the weight: what a cut tries to maximise.
    double spread() const { return (s[1] * s[1] + s[2] * s[2] + s[3] * s[3]) / s[0]; }
};

Sums volume(const Moments& mo, const Box& b) {
    Sums out;
    const auto& l = b.lo;
    const auto& h = b.hi;
    for (int i = 0; i < Moments::count; ++i) {
        const auto& m = mo.m[i];
        out.s[i] = m[at(h[0], h[1], h[2])] - m[at(h[0], h[1], l[2])] - m[at(h[0], l[1], h[2])] +
                   m[at(h[0], l[1], l[2])] - m[at(l[0], h[1], h[2])] + m[at(l[0], h[1], l[2])] +
                   m[at(l[0], l[1], h[2])] - m[at(l[0], l[1], l[2])];
    }
    return out;
}

double variance(const Moments& mo, const Box& b) {
    if (b.cells() <= 1) return 0;
    const Sums v = volume(mo, b);
    return v.s[0] > 0 ? v.s[4] - v.spread() : 0;
}

struct Cut {
    int channel = -1, position = -1;
    double gain = 0;
};

Cut bestCut(const Moments& mo, const Box& box) {
    const Sums whole = volume(mo, box);
    Cut best;
    for (int c = 0; c < 3; ++c)
        for (int pos = box.lo[c] + 1; pos < box.hi[c]; ++pos) {
            Box lower = box;
            lower.hi[c] = pos;
            const Sums half = volume(mo, lower);
            const Sums rest = whole - half;
            if (half.s[0] <= 0 || rest.s[0] <= 0) continue;
            const double gain = half.spread() + rest.spread();
            if (gain > best.gain) best = {c, pos, gain};
        }
    return best;
}

Moments momentsOf(const std::vector<WeightedColour>& colours) {
    Moments mo;
    for (const auto& [c, n] : colours) {
        const int r = qRed(c), g = qGreen(c), b = qBlue(c);
        const int i = at((r >> 3) + 1, (g >> 3) + 1, (b >> 3) + 1);
        mo.m[0][i] += n;
        mo.m[1][i] += double(n) * r;
        mo.m[2][i] += double(n) * g;
        mo.m[3][i] += double(n) * b;
        mo.m[4][i] += double(n) * (r * r + g * g + b * b);
    }
    mo.cumulate();
    return mo;
}

} // namespace

std::vector<QRgb> wuPalette(const std::vector<WeightedColour>& colours, int maxColours) {
    if (colours.empty() || maxColours <= 0) return {};
    const Moments mo = momentsOf(colours);
    std::vector<Box> boxes(1);
    std::vector<double> spread{variance(mo, boxes[0])};
    // Always cut the box with the largest error next.
    while (int(boxes.size()) < maxColours) {
        const size_t next = size_t(std::max_element(spread.begin(), spread.end()) - spread.begin());
        if (spread[next] <= 0) break;
        const Cut cut = bestCut(mo, boxes[next]);
        if (cut.channel < 0) {
            spread[next] = 0;
            continue;
        }
        Box upper = boxes[next];
        upper.lo[cut.channel] = cut.position;
        boxes[next].hi[cut.channel] = cut.position;
        boxes.push_back(upper);
        spread[next] = variance(mo, boxes[next]);
        spread.push_back(variance(mo, upper));
    }
    std::vector<QRgb> palette;
    for (const Box& b : boxes) {
        const Sums v = volume(mo, b);
        if (v.s[0] <= 0) continue;
        auto mean = [&](int i) { return int(std::lround(v.s[i] / v.s[0])); };
        palette.push_back(qRgb(mean(1), mean(2), mean(3)));
    }
    return palette;
}

} // namespace kv
