#pragma once

// The options the option bar sets for the drawing tools.
#include "snapshot/textbox.h"
#include "snapshot/toolkind.h"

#include <QColor>
#include <array>
#include <cstdint>

namespace kv {

// What the option bar sets for the tools: a pen size per slot, the colour and the font
// size. A new editor starts with the small size for the ellipse and the rectangle,
// the large one for the brush, red and 11 points; the mosaic with its middle block
// size (12 pixels) and the numbered steps with the small circle.
struct ToolOptions {
    // The pen-size button chosen per slot: 0 ellipse, 1 rectangle, 2 brush, 3 mosaic
    // (its block size), 4 numbered steps.
    std::array<std::int16_t, kPenSlotCount> penIndex{0, 0, 2, 1, 0};
    QColor colour{255, 0, 0};
    float fontSize = kDefaultFontSize; // points

    // The size button remembered in pen slot `slot`; -1 for no slot (a tool without
    // pen sizes).
    int penSize(int slot) const;
    // The width drawn with the size of slot `slot`, in pixels: 1, 4 or 6 for size
    // buttons 0, 1, 2.
    int penWidth(int slot) const;

    bool operator==(const ToolOptions&) const = default;
};

} // namespace kv
