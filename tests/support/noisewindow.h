#pragma once

// A window of random pixels to capture.
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QRect>
#include <QWidget>

namespace kvtest {

// Random pixels, so that every byte of every pixel counts in a comparison.
// `managed`: framed by the window manager; otherwise exactly at `where`, past it.
class NoiseWindow : public QWidget {
public:
    explicit NoiseWindow(QRect where, bool managed = true, const QString& title = "noise")
        : image_(where.size(), QImage::Format_RGB32) {
        QRandomGenerator rng(quint32(where.x()));
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                image_.setPixel(x, y, rng.generate() | 0xff000000u);
        if (!managed) setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        setWindowTitle(title);
        setFixedSize(where.size());
        move(where.topLeft());
    }
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(0, 0, image_); }

private:
    QImage image_;
};

} // namespace kvtest
