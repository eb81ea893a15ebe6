#pragma once

// The region editor's undo history of committed pictures.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace kv {

// The editor's undo history: a linear list of committed pictures, entry 1 being the
// snapshot. Pictures are stored losslessly in fixed-size tiles; a tile that did not
// change from the entry before is shared, not stored again, and stored tiles are
// packed with zlib when that saves space. A small stroke therefore costs memory in
// proportion to the area it touched.
//
// Invariant after every operation: 1 <= count() <= top() = entries().
// (Before start() the history is empty and count() is 0.)
class History {
public:
    explicit History(int tileSize = 64);

    // Empties the history and stores the snapshot as entry 1; count = top = 1.
    // The snapshot's pixels are shared with the caller, not copied.
    void start(const QImage& snapshot);
    // Stores a newly committed picture after the current entry: count + 1, top = count,
    // the old redo range is discarded.
    void push(const QImage& picture);
    // Keeps entry 1 only; count = top = 1.
    void resetToFirst();

    // Steps back. Gives the picture of the new current entry, or nothing when only the
    // snapshot was left (count stays 1; the caller leaves drawing then). A caller that
    // lets go of the pictures it got earlier before stepping makes the step cheap: only
    // the tiles in which the two entries differ are redrawn.
    std::optional<QImage> undo();
    // Steps forward within the redo range; nothing when there is nothing to redo.
    std::optional<QImage> redo();

    int count() const { return count_; }
    int top() const { return int(entries_.size()); }
    int entries() const { return int(entries_.size()); }

    // Stores picture `picture` as entry n (1-based; n may be one past the end), sharing
    // the unchanged tiles of entry n - 1. Entries above n are dropped.
    void WriteP(int n, const QImage& picture);
    // The picture stored as entry n (1-based).
    QImage ReadP(int n) const;

    // Bytes the stored pictures hold, each shared piece counted once.
    std::size_t storedBytes() const;

private:
    struct Tile {
        QImage pixels;     // a whole picture the tile is part of, or the tile alone
        QRect rect;        // the tile's place in `pixels`
        QByteArray packed; // zlib form, used instead of `pixels` when not empty
    };
    using TileRef = std::shared_ptr<const Tile>;
    struct Entry {
        QSize size;
        std::vector<TileRef> tiles;
    };

    Entry split(const QImage& picture, const Entry* base, const QImage* basePicture) const;
    static TileRef storeTile(const QImage& picture, const QRect& r);
    static void drawTile(QImage& into, const Tile& tile, const QRect& at);
    // Entry n, built from the picture of entry fromIndex by redrawing the tiles in which
    // the two differ (in place when nobody else holds that picture).
    QImage build(int n, QImage from, int fromIndex) const;
    // Makes entry n the current picture.
    void moveTo(int n);
    std::vector<QRect> tileRects(QSize size) const;

    int tileSize_;
    int count_ = 0;
    std::vector<Entry> entries_;
    // The picture of the current entry, kept whole so that a step to a neighbour only
    // has to rebuild the tiles in which the two differ.
    mutable QImage current_;
    mutable int currentIndex_ = 0;
};

} // namespace kv
