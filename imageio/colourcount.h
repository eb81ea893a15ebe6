#pragma once
// The distinct colours of a picture and how often each occurs, in a hash table
// that later also holds each colour's palette index.
#include <QImage>
#include <QRgb>

#include <cstdint>
#include <vector>

namespace kv {

class ColourCount {
public:
    // Counts the colours of an opaque 32-bit picture (alpha ignored).
    explicit ColourCount(const QImage& rgb32);

    qsizetype distinct() const { return distinct_; }
    // Every distinct colour with its count, in the order the picture first shows them.
    const std::vector<QRgb>& colours() const { return order_; }
    quint32 countOf(QRgb colour) const { return counts_[find(colour)]; }

    // Palette indices: set for every colour before the picture is remapped.
    void setIndex(QRgb colour, uchar index) { indices_[find(colour)] = index; }
    // The picture as palette indices, rows without padding.
    std::vector<uchar> remap(const QImage& rgb32) const;

private:
    size_t find(QRgb colour) const; // the slot of a colour that was counted
    size_t insert(QRgb colour);
    void grow();

    // Keys hold the colour with the top byte set, so that 0 marks a free slot.
    std::vector<quint32> keys_, counts_;
    std::vector<uchar> indices_;
    std::vector<QRgb> order_;
    qsizetype distinct_ = 0;
    unsigned shift_ = 0;
};

} // namespace kv
