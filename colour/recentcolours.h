#pragma once

#include <QRgb>
#include <optional>
#include <vector>

namespace kv {

// The colours that picks set during this run, newest first, each once, at most
// kLimit of them. Nothing of it outlives the program.
class RecentColours {
public:
    static constexpr int kLimit = 16;

    // A pick set `colour`: it goes first. An earlier entry of the same colour is
    // taken out, and beyond the limit the oldest falls off.
    void add(QRgb colour);
    const std::vector<QRgb>& colours() const { return colours_; }
    bool isEmpty() const { return colours_.empty(); }

private:
    std::vector<QRgb> colours_;
};

// What "the previous colour" is for the contrast check: the colour that was settled
// (by a pick or a choice; the start colour counts as settled) before the one the
// current colour stems from. After picking a background and then a text colour, or
// after adjusting a picked colour with the sliders, it is the colour to compare with.
class SettledColours {
public:
    explicit SettledColours(QRgb start);

    void settle(QRgb colour);
    // The newest settled colour other than `current`; none before there is one.
    std::optional<QRgb> previousOf(QRgb current) const;

private:
    QRgb last_;
    std::optional<QRgb> beforeLast_;
};

} // namespace kv
