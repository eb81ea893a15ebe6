#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

class QPainter;

namespace kv {

// A pin's picture as it is shown at a zoom, drawn a rectangle at a time: pixel for
// pixel at 100 %, exact pixel blocks (nearest neighbour, integer arithmetic) when
// enlarged, smoothly reduced below 100 %. A picture with transparency is shown over
// white; the picture itself is kept as it came.
class ZoomedPicture {
public:
    explicit ZoomedPicture(const QImage& picture);

    const QImage& picture() const { return picture_; }
    int zoom() const { return zoom_; }
    // Prepares the reduced picture when the zoom is below 100 %.
    void setZoom(int percent);
    QSize shownSize() const;

    // Draws the part `area` of the shown picture (in its own pixels) with its
    // top-left at `at + area.topLeft()`.
    void draw(QPainter& painter, QPoint at, const QRect& area);

private:
    void enlarge(const QRect& area);
    QImage picture_;
    QImage opaque_;  // what is drawn at 100 % and enlarged
    QImage reduced_; // the whole picture at the zoom, below 100 %
    QImage scratch_; // the enlarged part being drawn
    int zoom_ = 100;
};

} // namespace kv
