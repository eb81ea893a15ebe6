#include "platform/nullscreen.h"

namespace kv {

NullScreenReader::NullScreenReader(QSize size, Pattern pattern)
    : size_(size), pattern_(std::move(pattern)) {}

std::optional<QRgb> NullScreenReader::pixel(QPoint) {
    return std::nullopt;
}

ScreenGrab NullScreenReader::grab(const QRect& r) {
    if (r.isEmpty()) return {};
    QImage image(r.size(), QImage::Format_RGB32);
    for (int y = 0; y < r.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < r.width(); ++x)
            row[x] = pattern_(r.topLeft() + QPoint(x, y), QPoint(x, y)) | 0xff000000u;
    }
    return image;
}

Monitors NullScreenReader::monitors() const {
    return monitors_.list.empty() ? ScreenReader::monitors() : monitors_;
}

} // namespace kv
