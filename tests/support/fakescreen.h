#pragma once

// The screen for tests that must not read the real one: the Null platform's made-up
// screen, with what a test wants to set or to count.
#include "platform/nullscreen.h"

#include <QList>
#include <QRect>
#include <functional>

namespace kvtest {

// Colour of screen pixel (x, y); `local` is the same point inside the grabbed rectangle.
using ScreenPattern = kv::NullScreenReader::Pattern;

// A gradient, so that every read-out names a position.
inline QRgb GradientPattern(QPoint screen, QPoint local) {
    return kv::NullScreenReader::gradient(screen, local);
}

// Every pixel one colour.
inline ScreenPattern PlainPattern(QRgb colour) {
    return [colour](QPoint, QPoint) { return colour; };
}

class FakeScreen : public kv::NullScreenReader {
public:
    explicit FakeScreen(QSize size = QSize(1920, 1080), ScreenPattern pattern = GradientPattern)
        : NullScreenReader(size, std::move(pattern)) {}

    // What pixel() answers for each point (nothing, as the Null screen, unless set).
    std::function<std::optional<QRgb>(QPoint)> pixelAt;
    // When set, every read fails with this reason.
    QString failure;
    // False: rectangles read as nothing (no failure either), so that only pixel()
    // answers, as a reader of single pixels does.
    bool readsRectangles = true;
    // The monitors reported; none: one screen of the given size.
    kv::Monitors desk;

    std::optional<QRgb> pixel(QPoint p) override {
        ++pixelReads;
        if (!failure.isEmpty() || !pixelAt) return std::nullopt;
        return pixelAt(p);
    }
    kv::ScreenGrab grab(const QRect& r) override {
        ++grabs;
        grabbed << r;
        if (r.size() == screenSize()) ++fullReads;
        if (!failure.isEmpty()) return {QImage(), failure};
        if (!readsRectangles) return {};
        return NullScreenReader::grab(r);
    }
    kv::Monitors monitors() const override {
        return desk.list.empty() ? NullScreenReader::monitors() : desk;
    }
    kv::PictureHold holdPicture() override {
        if (!failure.isEmpty()) return {false, failure};
        return {};
    }

    // What was read.
    int grabs = 0;
    QList<QRect> grabbed;
    int fullReads = 0; // grabs the size of the whole (primary) screen
    int pixelReads = 0;
};

} // namespace kvtest
