#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <vector>

namespace kv {

// The honeycomb colour wheel: 127 hexagonal cells in 13 rows on a white 187 x 169
// picture, hue around the centre, lighter towards the middle.
namespace wheel {

constexpr int kWidth = 187;
constexpr int kHeight = 169;
constexpr int kRows = 13;
constexpr QPoint kCentre{93, 84};

struct Cell {
    int row = 0;
    int column = 0; // position within its row
    QPoint centre;  // in picture pixels
};

// Cells in each row: 7 at the top and bottom, 13 in the middle.
int CellsInRow(int row);
// All cells, row by row from the top, left to right within a row.
std::vector<Cell> Cells();
// Width of the hexagon's pixel row `line` (0 to 14, top to bottom); the row spans
// x from centre.x - width / 2 to centre.x + width / 2 - 1.
int HexLineWidth(int line);
// The colour of a cell from its centre's offset (dx right, dy up) from the middle.
QRgb CellColour(int dx, int dy);
// Standard HSL to RGB, hue in degrees, saturation and lightness 0 to 1.
QRgb HslToRgb(double hue, double saturation, double lightness);
// The whole wheel picture, Format_RGB32.
QImage MakePicture();

} // namespace wheel
} // namespace kv
