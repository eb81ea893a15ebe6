#pragma once

// Stand-ins for the region editor's outside world in widget tests: a screen that
// returns a known picture, and a host that records what the editor asks of it.

#include "platform/screenreader.h"
#include "snapshot/snaphost.h"

#include <QStringList>
#include <functional>

namespace kvtest {

// Colour of screen pixel (x, y); `local` is the same point inside the grabbed rectangle.
using ScreenPattern = std::function<QRgb(QPoint screen, QPoint local)>;

// A gradient by default, so that every read-out names a position.
inline QRgb GradientPattern(QPoint p, QPoint) {
    return qRgb(p.x() % 256, p.y() % 256, 77);
}

class FakeScreen final : public kv::ScreenReader {
public:
    explicit FakeScreen(QSize size, ScreenPattern pattern = GradientPattern)
        : size_(size), pattern_(std::move(pattern)) {}
    std::optional<QRgb> pixel(QPoint) override { return std::nullopt; }
    QImage grab(const QRect& r) override {
        ++grabs;
        QImage img(r.size(), QImage::Format_RGB32);
        for (int y = 0; y < r.height(); ++y)
            for (int x = 0; x < r.width(); ++x)
                img.setPixel(x, y, pattern_(r.topLeft() + QPoint(x, y), QPoint(x, y)));
        return img;
    }
    QSize screenSize() const override { return size_; }
    int grabs = 0;

private:
    QSize size_;
    ScreenPattern pattern_;
};

class FakeHost final : public kv::SnapHost {
public:
    void SnapShowMainWindow() override { calls << "show"; }
    void SnapRemoveTrayIcon() override { calls << "tray"; }
    void SnapFinished(const kv::FinishedRegion& region) override {
        calls << "picture";
        shown = region.picture;
    }
    void SnapUnloaded() override { calls << "unloaded"; }
    QStringList calls;
    kv::Picture shown;
};

} // namespace kvtest
