#pragma once
// A window of random pixels to capture, and where the window manager put it.
#include <QImage>
#include <QRect>
#include <QWidget>

namespace e2e {

// Random pixels, so that every byte of every pixel counts in the comparisons.
// `managed`: framed by the window manager; otherwise exactly at `where`, past it.
class NoiseWindow : public QWidget {
public:
    explicit NoiseWindow(QRect where, bool managed = true);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QImage image_;
};

// Where a window's own area is on the screen, as xwininfo reports it.
QRect clientGeometry(WId window);
// The window with the frame its window manager drew, from the frame widths the
// window manager publishes (xprop) and the window's place (xwininfo).
QRect frameGeometry(WId window);

} // namespace e2e
