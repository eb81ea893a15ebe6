#include "platform/locatewindow.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace kv {

namespace {

constexpr int kRows = 12;  // rows of the window compared at each candidate place
constexpr int kNeeded = 9; // of which this many must match

bool rowMatches(const QImage& screen, QPoint at, const QImage& window, int row) {
    const auto* s = reinterpret_cast<const QRgb*>(screen.constScanLine(at.y() + row)) + at.x();
    const auto* w = reinterpret_cast<const QRgb*>(window.constScanLine(row));
    return std::memcmp(s, w, size_t(window.width()) * sizeof(QRgb)) == 0;
}

// Every place where row `row` of the window appears in the screen.
void candidatesFor(const QImage& screen, const QImage& window, int row, std::vector<QPoint>& out) {
    const int w = window.width();
    const QRgb first = window.pixel(0, row);
    for (int y = row; y + window.height() - row <= screen.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(screen.constScanLine(y));
        for (int x = 0; x + w <= screen.width(); ++x) {
            if (line[x] != first) continue;
            if (std::memcmp(line + x, window.constScanLine(row), size_t(w) * sizeof(QRgb)) == 0)
                out.emplace_back(x, y - row);
        }
    }
}

} // namespace

std::optional<QPoint> locateInPicture(const QImage& screenIn, const QImage& windowIn) {
    if (screenIn.isNull() || windowIn.isNull()) return std::nullopt;
    const QImage screen = screenIn.convertToFormat(QImage::Format_RGB32);
    const QImage window = windowIn.convertToFormat(QImage::Format_RGB32);
    const int h = window.height();
    if (window.width() > screen.width() || h > screen.height()) return std::nullopt;
    std::array<int, kRows> rows;
    for (int i = 0; i < kRows; ++i)
        rows[i] = std::min(h - 1, h * i / kRows + h / (2 * kRows));
    // Places come from two rows far apart, so one changed row does not hide the window.
    std::vector<QPoint> candidates;
    candidatesFor(screen, window, rows[1], candidates);
    candidatesFor(screen, window, rows[kRows - 2], candidates);
    std::optional<QPoint> best;
    int bestCount = 0;
    for (const QPoint& at : candidates) {
        int count = 0;
        for (int row : rows)
            count += rowMatches(screen, at, window, row) ? 1 : 0;
        if (count > bestCount) {
            bestCount = count;
            best = at;
        }
    }
    if (bestCount < kNeeded) return std::nullopt;
    return best;
}

} // namespace kv
