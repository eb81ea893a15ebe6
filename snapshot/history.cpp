// The undo history's tiled, shared storage of committed pictures.
#include "snapshot/history.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace kv {

namespace {

QImage asRgb32(const QImage& image) {
    return image.format() == QImage::Format_RGB32 ? image
                                                  : image.convertToFormat(QImage::Format_RGB32);
}

bool sameTile(const QImage& a, const QImage& b, const QRect& r) {
    const std::size_t bytes = std::size_t(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const uchar* pa = a.constScanLine(y) + std::size_t(r.left()) * 4;
        const uchar* pb = b.constScanLine(y) + std::size_t(r.left()) * 4;
        if (pa != pb && std::memcmp(pa, pb, bytes) != 0) return false;
    }
    return true;
}

void copyRows(QImage& into, const QPoint& to, const uchar* src, qsizetype srcStride, int width,
              int height) {
    const std::size_t bytes = std::size_t(width) * 4;
    for (int y = 0; y < height; ++y)
        std::memcpy(into.scanLine(to.y() + y) + std::size_t(to.x()) * 4, src + y * srcStride,
                    bytes);
}

} // namespace

History::History(int tileSize) : tileSize_(std::max(8, tileSize)) {}

std::vector<QRect> History::tileRects(QSize size) const {
    std::vector<QRect> rects;
    for (int y = 0; y < size.height(); y += tileSize_)
        for (int x = 0; x < size.width(); x += tileSize_)
            rects.emplace_back(x, y, std::min(tileSize_, size.width() - x),
                               std::min(tileSize_, size.height() - y));
    return rects;
}

History::TileRef History::storeTile(const QImage& picture, const QRect& r) {
    QImage own = picture.copy(r);
    const QByteArray raw = QByteArray::fromRawData(reinterpret_cast<const char*>(own.constBits()),
                                                   qsizetype(own.sizeInBytes()));
    QByteArray packed = qCompress(raw, 1);
    auto tile = std::make_shared<Tile>();
    tile->rect = QRect(QPoint(0, 0), r.size());
    // Photographs hardly pack; keep those tiles as they are, which also keeps undo fast.
    if (packed.size() < raw.size() * 3 / 4)
        tile->packed = std::move(packed);
    else
        tile->pixels = std::move(own);
    return tile;
}

void History::drawTile(QImage& into, const Tile& tile, const QRect& at) {
    if (!tile.packed.isEmpty()) {
        const QByteArray raw = qUncompress(tile.packed);
        if (raw.size() < qsizetype(at.width()) * at.height() * 4) return;
        copyRows(into, at.topLeft(), reinterpret_cast<const uchar*>(raw.constData()),
                 qsizetype(at.width()) * 4, at.width(), at.height());
        return;
    }
    const QImage& src = tile.pixels;
    copyRows(into, at.topLeft(),
             src.constScanLine(tile.rect.top()) + std::size_t(tile.rect.left()) * 4,
             src.bytesPerLine(), at.width(), at.height());
}

History::Entry History::split(const QImage& picture, const Entry* base,
                              const QImage* basePicture) const {
    Entry e;
    e.size = picture.size();
    const auto rects = tileRects(e.size);
    e.tiles.reserve(rects.size());
    const bool canShare = base && basePicture && base->size == e.size &&
                          basePicture->size() == e.size && base->tiles.size() == rects.size();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (canShare && sameTile(picture, *basePicture, rects[i]))
            e.tiles.push_back(base->tiles[i]);
        else
            e.tiles.push_back(storeTile(picture, rects[i]));
    }
    return e;
}

QImage History::build(int n, QImage from, int fromIndex) const {
    const Entry& e = entries_[std::size_t(n - 1)];
    const auto rects = tileRects(e.size);
    const bool incremental = !from.isNull() && fromIndex >= 1 &&
                             fromIndex <= int(entries_.size()) && from.size() == e.size &&
                             entries_[std::size_t(fromIndex - 1)].size == e.size;
    if (incremental) {
        const Entry& f = entries_[std::size_t(fromIndex - 1)];
        // Drawn in place when `from` is held nowhere else, copied first otherwise.
        QImage image = std::move(from);
        for (std::size_t i = 0; i < rects.size(); ++i)
            if (e.tiles[i] != f.tiles[i]) drawTile(image, *e.tiles[i], rects[i]);
        return image;
    }
    QImage image(e.size, QImage::Format_RGB32);
    for (std::size_t i = 0; i < rects.size(); ++i)
        drawTile(image, *e.tiles[i], rects[i]);
    return image;
}

void History::start(const QImage& snapshot) {
    entries_.clear();
    const QImage pic = asRgb32(snapshot);
    Entry e;
    e.size = pic.size();
    // Entry 1 refers to the snapshot's own pixels: nothing is copied at load.
    for (const QRect& r : tileRects(e.size)) {
        auto tile = std::make_shared<Tile>();
        tile->pixels = pic;
        tile->rect = r;
        e.tiles.push_back(std::move(tile));
    }
    entries_.push_back(std::move(e));
    count_ = 1;
    current_ = pic;
    currentIndex_ = 1;
}

void History::WriteP(int n, const QImage& picture) {
    if (n < 1) return;
    n = std::min(n, int(entries_.size()) + 1);
    const QImage pic = asRgb32(picture);
    const Entry* base = nullptr;
    QImage basePicture;
    if (n >= 2) {
        base = &entries_[std::size_t(n - 2)];
        basePicture = currentIndex_ == n - 1 ? current_ : build(n - 1, current_, currentIndex_);
    }
    Entry e = split(pic, base, base ? &basePicture : nullptr);
    entries_.resize(std::size_t(n - 1));
    entries_.push_back(std::move(e));
    current_ = pic;
    currentIndex_ = n;
    count_ = std::min(count_, int(entries_.size()));
}

QImage History::ReadP(int n) const {
    if (n < 1 || n > int(entries_.size())) return {};
    if (n == currentIndex_) return current_;
    return build(n, current_, currentIndex_);
}

void History::push(const QImage& picture) {
    if (entries_.empty()) {
        start(picture);
        return;
    }
    const int n = count_ + 1;
    entries_.resize(std::size_t(count_)); // the redo range goes
    WriteP(n, picture);
    count_ = n;
}

void History::resetToFirst() {
    if (entries_.empty()) return;
    moveTo(1);
    entries_.resize(1);
    count_ = 1;
}

void History::moveTo(int n) {
    if (n == currentIndex_) return;
    current_ = build(n, std::move(current_), currentIndex_);
    currentIndex_ = n;
}

std::optional<QImage> History::undo() {
    if (entries_.empty()) return std::nullopt;
    const int p = count_;
    if (p < 2) {
        count_ = 1;
        return std::nullopt;
    }
    count_ = p - 1;
    moveTo(count_);
    return current_;
}

std::optional<QImage> History::redo() {
    if (entries_.empty()) return std::nullopt;
    if (count_ + 1 > top()) {
        count_ = top();
        return std::nullopt;
    }
    ++count_;
    moveTo(count_);
    return current_;
}

std::size_t History::storedBytes() const {
    std::unordered_set<const Tile*> tiles;
    std::unordered_set<const uchar*> images;
    std::size_t total = 0;
    for (const Entry& e : entries_) {
        for (const TileRef& t : e.tiles) {
            if (!tiles.insert(t.get()).second) continue;
            if (!t->packed.isEmpty())
                total += std::size_t(t->packed.size());
            else if (images.insert(t->pixels.constBits()).second)
                total += std::size_t(t->pixels.sizeInBytes());
        }
    }
    return total;
}

} // namespace kv
