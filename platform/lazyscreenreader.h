#pragma once

// A screen reader made the first time it is used. Opening one costs a
// connection of its own to the display and its shared memory, which the first
// frame of the main window does not need.
#include "platform/screenreader.h"

#include <functional>
#include <memory>
#include <mutex>

namespace kv {

class LazyScreenReader : public ScreenReader {
public:
    using Factory = std::function<std::unique_ptr<ScreenReader>()>;
    explicit LazyScreenReader(Factory make) : make_(std::move(make)) {}

    std::optional<QRgb> pixel(QPoint screenPos) override { return reader().pixel(screenPos); }
    ScreenGrab grab(const QRect& screenRect) override { return reader().grab(screenRect); }
    QSize screenSize() const override { return reader().screenSize(); }
    Monitors monitors() const override { return reader().monitors(); }
    PictureHold holdPicture() override { return reader().holdPicture(); }
    void releasePicture() override { reader().releasePicture(); }
    PickedColour pickColour() override { return reader().pickColour(); }
    bool syncWithCompositor() override { return reader().syncWithCompositor(); }
    void prepareForCapture() override { reader().prepareForCapture(); }
    void expectHidden(const QImage& looks) override { reader().expectHidden(looks); }

private:
    // Made once, whichever thread asks first.
    ScreenReader& reader() const;

    Factory make_;
    mutable std::once_flag once_;
    mutable std::unique_ptr<ScreenReader> reader_;
};

} // namespace kv
