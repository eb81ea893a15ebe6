#include "colour/wheel.h"

#include "platform/units.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kv::wheel {
namespace {

constexpr int kHexHeight = 15;
// Nominally 0.8. The wheel's reference colours (the pure green of the top middle
// cell, 27E827, in particular) need a touch more chroma than 0.8 gives; 0.804
// reproduces every one of them and keeps each cell within 1 of the 0.8 colour.
constexpr double kSaturation = 0.804;
constexpr double kLightnessFall = 0.00651; // per pixel of distance from the middle
constexpr double kHueTurn = 30.0;          // red sits just below the right corner

int toByte(double unit) {
    return std::clamp(nearInt(unit * 255.0), 0, 255);
}

} // namespace

int CellsInRow(int row) {
    return 7 + std::min(row, kRows - 1 - row);
}

std::vector<Cell> Cells() {
    std::vector<Cell> cells;
    for (int i = 0; i < kRows; ++i) {
        const int n = CellsInRow(i);
        for (int j = 0; j < n; ++j)
            cells.push_back({i, j, QPoint(93 - 7 * (n - 1) + 14 * j, 12 + 12 * i)});
    }
    return cells;
}

int HexLineWidth(int line) {
    // Pointed top and bottom: 4, 8, 12, nine lines of 14, then 12, 8, 4.
    const int fromEdge = std::min(line, kHexHeight - 1 - line);
    return std::min(4 * (fromEdge + 1), 14);
}

QRgb HslToRgb(double hue, double s, double l) {
    const double c = (1.0 - std::abs(2.0 * l - 1.0)) * s;
    const double h = std::fmod(std::fmod(hue, 360.0) + 360.0, 360.0) / 60.0;
    const double x = c * (1.0 - std::abs(std::fmod(h, 2.0) - 1.0));
    const double m = l - c / 2.0;
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(h)) {
    case 0:
        r = c, g = x;
        break;
    case 1:
        r = x, g = c;
        break;
    case 2:
        g = c, b = x;
        break;
    case 3:
        g = x, b = c;
        break;
    case 4:
        r = x, b = c;
        break;
    default:
        r = c, b = x;
        break;
    }
    return qRgb(toByte(r + m), toByte(g + m), toByte(b + m));
}

QRgb CellColour(int dx, int dy) {
    if (dx == 0 && dy == 0) return qRgb(255, 255, 255);
    const double angle = std::atan2(double(dy), double(dx)) * 180.0 / std::numbers::pi;
    const double d = std::hypot(double(dx), double(dy));
    return HslToRgb(kHueTurn + angle, kSaturation, 1.0 - kLightnessFall * d);
}

QImage MakePicture() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(qRgb(255, 255, 255));
    // Neighbouring rows share three pixel lines; cells drawn later cover the points
    // of the row above, so the drawing order is part of the picture.
    for (const Cell& cell : Cells()) {
        const QRgb colour =
            CellColour(cell.centre.x() - kCentre.x(), kCentre.y() - cell.centre.y());
        for (int line = 0; line < kHexHeight; ++line) {
            const int y = cell.centre.y() - kHexHeight / 2 + line;
            const int w = HexLineWidth(line);
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = cell.centre.x() - w / 2; x < cell.centre.x() + w / 2; ++x)
                row[x] = colour;
        }
    }
    return image;
}

} // namespace kv::wheel
