#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <vector>

class QPainter;

namespace kv {

// A pin's picture as it is shown at a zoom, drawn a rectangle at a time: pixel for
// pixel at 100 %, exact pixel blocks (nearest neighbour, integer arithmetic) when
// enlarged, smoothly reduced below 100 %: from the picture halved as often as it
// stays at least as large as shown (each pixel the mean of four), then filtered
// to the exact size while it is drawn, only where it is drawn. A picture with
// transparency is shown over white; the picture itself is kept as it came.
class ZoomedPicture {
public:
    explicit ZoomedPicture(const QImage& picture);

    const QImage& picture() const { return picture_; }
    int zoom() const { return zoom_; }
    void setZoom(int percent) { zoom_ = percent; }
    QSize shownSize() const;

    // Draws the part `area` of the shown picture (in its own pixels) with its
    // top-left at `at + area.topLeft()`.
    void draw(QPainter& painter, QPoint at, const QRect& area);

private:
    void enlarge(const QRect& area);
    // The picture halved `times` times; made at its first use and kept.
    const QImage& halved(int times);
    QImage picture_;
    std::vector<QImage> halves_; // [0]: what is drawn at 100 % and enlarged
    QImage scratch_;             // the enlarged part being drawn
    int zoom_ = 100;
};

} // namespace kv
