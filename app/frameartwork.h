#pragma once
// The main window's pictures (title buttons, icons, the capture page's cube and the
// banner) at the desktop's scale. They depend on nothing but the scale, so they can
// be drawn on a worker while the main window lays out its text.
#include "platform/units.h"

#include <QImage>
#include <future>

namespace kv {

struct FrameArtwork {
    QImage titleButton[3]; // normal, hover, pressed
    QImage dropper;
    QImage captureCube;
    QImage programIcon;
    QImage colourTab;
    QImage captureTab;
    QImage banner; // for the banner strip as the main window lays it out
};

FrameArtwork DrawFrameArtwork(const UiScale& ui);

// The banner strip's size in the main window at `ui`.
QSize BannerSize(const UiScale& ui);

// Draws the artwork on its own thread from construction. Painting on images needs
// the application font (a painter starts with it), so that must be set before.
class FrameArtworkDrawing {
public:
    explicit FrameArtworkDrawing(UiScale ui);
    ~FrameArtworkDrawing(); // waits for the worker when nobody took the pictures

    // The pictures; waits until they are drawn. Only the first call has them.
    FrameArtwork take();

    FrameArtworkDrawing(const FrameArtworkDrawing&) = delete;
    FrameArtworkDrawing& operator=(const FrameArtworkDrawing&) = delete;

private:
    std::future<FrameArtwork> drawn_;
};

} // namespace kv
