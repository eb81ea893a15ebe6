// The redacting mosaic. A pixelated area is a function of what it covers, and such
// areas have been read back; this one is made only from the pixels around the area,
// so what lay beneath is gone, not hidden.
#include "snapshot/mosaic.h"

#include "platform/units.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace kv {

namespace {

// splitmix64's finaliser: every bit of the input moves every bit of the output.
quint64 scramble(quint64 x) {
    x += 0x9e3779b97f4a7c15ull;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

// A small generator of its own, so that the texture never depends on a library's
// random engine or on anything but its seed.
class BlockRandom {
public:
    explicit BlockRandom(quint64 seed) : state_(seed) {}
    quint64 next() { return state_ = scramble(state_); }
    int below(int n) { return int(next() % quint64(n)); }      // in [0, n)
    double unit() { return double(next() >> 11) * 0x1.0p-53; } // in [0, 1)

private:
    quint64 state_;
};

struct Colour {
    double r = 0, g = 0, b = 0;
};

enum Side { Top, Bottom, Left, Right };

// One side of the ring: the pixels beyond one edge of the area, `depth` deep (less, or
// none, where the picture ends), stored along that edge.
struct RingSide {
    int length = 0; // the area's width for the top and bottom, its height for the others
    int depth = 0;
    std::vector<QRgb> pixels;       // pixels[along * depth + d], d = 0 next to the area
    std::vector<Colour> blockMeans; // the mean beside each block along the side
    QRgb at(int along, int d) const { return pixels[std::size_t(along) * depth + d]; }
};

// Everything the blocks' colours are made from; nothing of the area itself.
struct MosaicPlan {
    std::array<RingSide, 4> ring;
    int width = 0;
    int height = 0;
    int blockSize = 1;
    quint64 seed = 0;
};

// The picture's pixel at (x, y), which must lie inside it.
QRgb pixelOf(const QImage& img, int x, int y) {
    return reinterpret_cast<const QRgb*>(img.constScanLine(y))[x] | 0xff000000u;
}

RingSide readSide(const QImage& img, const QRect& area, Side side) {
    RingSide s;
    const bool across = side == Top || side == Bottom;
    s.length = across ? area.width() : area.height();
    const int room = side == Top      ? area.top()
                     : side == Bottom ? img.height() - 1 - area.bottom()
                     : side == Left   ? area.left()
                                      : img.width() - 1 - area.right();
    s.depth = std::clamp(room, 0, kMosaicRingWidth);
    s.pixels.resize(std::size_t(s.length) * s.depth);
    for (int d = 0; d < s.depth; ++d)
        for (int a = 0; a < s.length; ++a) {
            const int x = across ? area.left() + a
                                 : (side == Left ? area.left() - 1 - d : area.right() + 1 + d);
            const int y = !across ? area.top() + a
                                  : (side == Top ? area.top() - 1 - d : area.bottom() + 1 + d);
            s.pixels[std::size_t(a) * s.depth + d] = pixelOf(img, x, y);
        }
    return s;
}

void averageBlocks(RingSide& s, int blockSize) {
    const int blocks = (s.length + blockSize - 1) / blockSize;
    s.blockMeans.assign(std::size_t(blocks), Colour{});
    if (s.depth == 0) return;
    for (int k = 0; k < blocks; ++k) {
        const int from = k * blockSize, to = std::min(s.length, from + blockSize);
        quint64 r = 0, g = 0, b = 0;
        for (int a = from; a < to; ++a)
            for (int d = 0; d < s.depth; ++d) {
                const QRgb p = s.at(a, d);
                r += quint64(qRed(p));
                g += quint64(qGreen(p));
                b += quint64(qBlue(p));
            }
        const double n = double(to - from) * s.depth;
        s.blockMeans[std::size_t(k)] = {double(r) / n, double(g) / n, double(b) / n};
    }
}

MosaicPlan planMosaic(const QImage& img, const QRect& area, int blockSize) {
    MosaicPlan m;
    m.width = area.width();
    m.height = area.height();
    m.blockSize = blockSize;
    quint64 h = scramble((quint64(quint32(area.x())) << 32) | quint32(area.y()));
    h = scramble(h ^ ((quint64(quint32(area.width())) << 32) | quint32(area.height())));
    h = scramble(h ^ quint64(blockSize));
    for (Side side : {Top, Bottom, Left, Right}) {
        RingSide& s = m.ring[side];
        s = readSide(img, area, side);
        averageBlocks(s, blockSize);
        h = scramble(h ^ quint64(s.depth));
        for (QRgb p : s.pixels)
            h = scramble(h ^ p);
    }
    m.seed = h;
    return m;
}

// A real ring pixel near block (i, j), from a side chosen by the sides' weights.
QRgb pickRingPixel(const MosaicPlan& m, BlockRandom& rnd, const double* weight, double total, int i,
                   int j) {
    double u = rnd.unit() * total;
    int s = -1;
    for (int k = 0; k < 4; ++k) {
        if (weight[k] <= 0) continue;
        s = k;
        if (u < weight[k]) break;
        u -= weight[k];
    }
    const RingSide& side = m.ring[std::size_t(s)];
    const int start = (s == Top || s == Bottom ? i : j) * m.blockSize;
    const int along =
        std::clamp(start - m.blockSize + rnd.below(3 * m.blockSize), 0, side.length - 1);
    return side.at(along, rnd.below(side.depth));
}

// Folds a channel that the texture pushed beyond 0..255 back inside, so that a white
// or black surrounding still shows its blocks.
int reflect(int v) {
    return v < 0 ? std::min(-v, 255) : v > 255 ? std::max(510 - v, 0) : v;
}

QRgb blockColour(const MosaicPlan& m, int i, int j) {
    const int b = m.blockSize;
    const double cx = (i * b + std::min((i + 1) * b, m.width)) / 2.0;
    const double cy = (j * b + std::min((j + 1) * b, m.height)) / 2.0;
    // The block's distance to each side of the ring; the nearest sides count most.
    const double dist[4] = {cy, m.height - cy, cx, m.width - cx};
    const int along[4] = {i, i, j, j};
    double weight[4];
    double total = 0;
    Colour c;
    for (int s = 0; s < 4; ++s) {
        weight[s] = m.ring[std::size_t(s)].depth ? 1.0 / (dist[s] * dist[s]) : 0.0;
        const Colour& mean = m.ring[std::size_t(s)].blockMeans[std::size_t(along[s])];
        c = {c.r + weight[s] * mean.r, c.g + weight[s] * mean.g, c.b + weight[s] * mean.b};
        total += weight[s];
    }
    BlockRandom rnd(m.seed ^ scramble((quint64(quint32(j)) << 32) | quint32(i)));
    if (total > 0) {
        // Partly a real pixel of the surroundings, so their detail shows as blocks.
        const QRgb p = pickRingPixel(m, rnd, weight, total, i, j);
        constexpr double kPick = 0.4;
        c = {(1 - kPick) * c.r / total + kPick * qRed(p),
             (1 - kPick) * c.g / total + kPick * qGreen(p),
             (1 - kPick) * c.b / total + kPick * qBlue(p)};
    } else {
        c = {128, 128, 128};
    }
    const int shade = rnd.below(29) - 14;
    return qRgb(reflect(nearInt(c.r) + shade + rnd.below(7) - 3),
                reflect(nearInt(c.g) + shade + rnd.below(7) - 3),
                reflect(nearInt(c.b) + shade + rnd.below(7) - 3));
}

bool readable(const QImage& img) {
    return img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32 ||
           img.format() == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QRect mosaicArea(QPointF from, QPointF to, const QRectF& selection, QSize picture) {
    const int left = int(std::floor(std::min(from.x(), to.x())));
    const int top = int(std::floor(std::min(from.y(), to.y())));
    const int right = int(std::ceil(std::max(from.x(), to.x())));
    const int bottom = int(std::ceil(std::max(from.y(), to.y())));
    if (right <= left || bottom <= top) return QRect();
    const QRect dragged(left, top, right - left, bottom - top);
    const int sl = nearInt(selection.left()), st = nearInt(selection.top());
    const int sr = nearInt(selection.left() + selection.width());
    const int sb = nearInt(selection.top() + selection.height());
    const QRect held(sl, st, sr - sl, sb - st);
    return dragged.intersected(held).intersected(QRect(QPoint(0, 0), picture));
}

QImage mosaicTile(const QImage& picture, const QRect& area, int blockSize) {
    const QRect r = area.intersected(picture.rect());
    if (r.isEmpty()) return QImage();
    const int b = std::max(1, blockSize);
    const MosaicPlan m = planMosaic(
        readable(picture) ? picture : picture.convertToFormat(QImage::Format_RGB32), r, b);
    QImage tile(r.size(), QImage::Format_RGB32);
    const int columns = (m.width + b - 1) / b, rows = (m.height + b - 1) / b;
    std::vector<QRgb> colours(std::size_t(columns), 0);
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i)
            colours[std::size_t(i)] = blockColour(m, i, j);
        // The block row's first line, then copies of it down to the block's bottom.
        const int y0 = j * b, y1 = std::min(y0 + b, m.height);
        auto* first = reinterpret_cast<QRgb*>(tile.scanLine(y0));
        for (int i = 0; i < columns; ++i)
            std::fill_n(first + i * b, std::min(b, m.width - i * b), colours[std::size_t(i)]);
        for (int y = y0 + 1; y < y1; ++y)
            std::memcpy(tile.scanLine(y), first, std::size_t(m.width) * sizeof(QRgb));
    }
    return tile;
}

void drawMosaic(QPainter& painter, const QImage& picture, const QRect& area, int blockSize) {
    const QRect r = area.intersected(picture.rect());
    if (r.isEmpty()) return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(r.topLeft(), mosaicTile(picture, r, blockSize));
    painter.restore();
}

} // namespace kv
