#pragma once

#include "platform/monitors.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <memory>
#include <optional>

namespace kv {

// Reads what the screen shows, in X screen pixels of the root window (every monitor),
// whatever program owns the pixels.
class ScreenReader {
public:
    virtual ~ScreenReader() = default;
    // One pixel; nothing when it cannot be read (off screen, no display).
    virtual std::optional<QRgb> pixel(QPoint screenPos) = 0;
    // A rectangle as Format_RGB32; a null image for an empty rectangle.
    virtual QImage grab(const QRect& screenRect) = 0;
    // Size of the primary screen in pixels.
    virtual QSize screenSize() const = 0;
    // The monitors as they are now, in the pixels pixel() and grab() take. A reader
    // that knows of no monitors has one: the primary screen from (0, 0).
    virtual Monitors monitors() const {
        return Monitors::single(QRect(QPoint(0, 0), screenSize()));
    }
};

// The reader for the running X display.
std::unique_ptr<ScreenReader> createScreenReader();

} // namespace kv
