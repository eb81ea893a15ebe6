#pragma once

// A screen made up on the spot, for a session with no desktop to read.
#include "platform/screenreader.h"

#include <functional>

namespace kv {

// A screen whose every pixel is a colour worked out from its position: nothing is
// read from any display. The Null platform's screen, and the tests' stand-in for a
// real one. By default a gradient, so that every pixel names its position.
class NullScreenReader : public ScreenReader {
public:
    // Colour of screen pixel `screen`; `local` is the same point inside the rectangle
    // being read.
    using Pattern = std::function<QRgb(QPoint screen, QPoint local)>;
    static QRgb gradient(QPoint screen, QPoint) {
        return qRgb(screen.x() % 256, screen.y() % 256, 77);
    }

    explicit NullScreenReader(QSize size = QSize(1920, 1080), Pattern pattern = gradient);

    // Nothing: a made-up screen has no pixel under a real pointer.
    std::optional<QRgb> pixel(QPoint screenPos) override;
    ScreenGrab grab(const QRect& screenRect) override;
    QSize screenSize() const override { return size_; }
    Monitors monitors() const override;

    // The monitors reported; none set: one of screenSize() from (0, 0).
    void setMonitors(const Monitors& monitors) { monitors_ = monitors; }
    void setPattern(Pattern pattern) { pattern_ = std::move(pattern); }

private:
    QSize size_;
    Pattern pattern_;
    Monitors monitors_;
};

} // namespace kv
