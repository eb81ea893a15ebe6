#include "imageio/colourcount.h"

namespace kv {

namespace {

constexpr quint32 used = 0xff000000u;
constexpr unsigned firstBits = 12;

} // namespace

ColourCount::ColourCount(const QImage& rgb32)
    : keys_(size_t(1) << firstBits, 0), counts_(size_t(1) << firstBits, 0), shift_(32 - firstBits) {
    // Screenshots repeat the pixel before most of the time: runs skip the table.
    for (int y = 0; y < rgb32.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        const int w = rgb32.width();
        for (int x = 0; x < w;) {
            const QRgb c = line[x] | used;
            int run = 1;
            while (x + run < w && (line[x + run] | used) == c)
                ++run;
            counts_[insert(c)] += quint32(run);
            x += run;
        }
    }
    indices_.assign(keys_.size(), 0);
}

size_t ColourCount::find(QRgb colour) const {
    const quint32 key = colour | used;
    const size_t mask = keys_.size() - 1;
    size_t slot = (key * 2654435761u) >> shift_;
    while (keys_[slot] != key)
        slot = (slot + 1) & mask;
    return slot;
}

size_t ColourCount::insert(QRgb key) {
    const size_t mask = keys_.size() - 1;
    size_t slot = (key * 2654435761u) >> shift_;
    while (keys_[slot] != key) {
        if (keys_[slot] == 0) {
            // Kept at most half full, so that probes stay short.
            if (2 * (distinct_ + 1) > qsizetype(keys_.size())) {
                grow();
                return insert(key);
            }
            keys_[slot] = key;
            order_.push_back(key);
            ++distinct_;
            return slot;
        }
        slot = (slot + 1) & mask;
    }
    return slot;
}

void ColourCount::grow() {
    std::vector<quint32> keys(keys_.size() * 2, 0), counts(keys_.size() * 2, 0);
    keys.swap(keys_);
    counts.swap(counts_);
    --shift_;
    const size_t mask = keys_.size() - 1;
    for (size_t i = 0; i < keys.size(); ++i) {
        if (!keys[i]) continue;
        size_t slot = (keys[i] * 2654435761u) >> shift_;
        while (keys_[slot])
            slot = (slot + 1) & mask;
        keys_[slot] = keys[i];
        counts_[slot] = counts[i];
    }
}

std::vector<uchar> ColourCount::remap(const QImage& rgb32) const {
    const int w = rgb32.width(), h = rgb32.height();
    std::vector<uchar> out(size_t(w) * h);
    if (out.empty()) return out;
    uchar* dst = out.data();
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb32.constScanLine(y));
        QRgb last = line[0] | used;
        uchar index = indices_[find(last)];
        for (int x = 0; x < w; ++x) {
            const QRgb c = line[x] | used;
            if (c != last) {
                last = c;
                index = indices_[find(c)];
            }
            *dst++ = index;
        }
    }
    return out;
}

} // namespace kv
