#pragma once

#include "platform/picture.h"

#include <QColor>
#include <QWidget>

class QPainter;

namespace kv {

// Fills `area` with `background` (when valid) and draws `picture` from its top-left
// corner, each pixel a solid block `zoom` pixels wide.
void paintPicture(QPainter& p, const QRect& area, const QColor& background, const Picture& picture,
                  double zoom);

// A box that shows a shared picture unscaled (or at a set zoom) from its top-left
// corner, over a background colour. It shows the picture object itself, not a copy: whoever
// changes the picture in place calls update() to have it shown.
class PictureBox : public QWidget {
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setPicture(const Picture& picture);
    const Picture& picture() const { return picture_; }
    void clearPicture() { setPicture(Picture()); }

    void setBackground(const QColor& colour);
    QColor background() const { return background_; }

    // Shows the picture enlarged by a factor, each pixel a solid block (a colour
    // picture on a HiDPI desktop); 1, pixel for pixel, unless set.
    void setZoom(double zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Picture picture_;
    QColor background_;
    double zoom_ = 1.0;
};

} // namespace kv
