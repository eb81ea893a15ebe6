#pragma once

#include <QImage>
#include <QRgb>
#include <QString>
#include <vector>

namespace kv {

// The three fixed palettes shown in the wheel box: rectangular colour cells on a
// white background, separated by white lines.
struct PaletteLayout {
    int width = 0;
    int height = 0;
    std::vector<int> columnLefts, columnWidths;
    std::vector<int> rowTops, rowHeights;
    // Cell colours in reading order; cells past the end stay white.
    std::vector<QRgb> colours;
};

struct NamedColour {
    const char* name;
    QRgb rgb;
};

// The 140 CSS colour keywords, one spelling each, alphabetically.
const std::vector<NamedColour>& CssNamedColours();

PaletteLayout WebPaletteLayout();      // "网页色": the named colours
PaletteLayout ComputerPaletteLayout(); // "电脑色": the 216 safe colours by hue
PaletteLayout GradientPaletteLayout(); // "渐进色": the 216 safe colours in steps of 51

// Draws a palette picture, Format_RGB32.
QImage DrawPalette(const PaletteLayout& layout);

} // namespace kv
