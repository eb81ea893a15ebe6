#include "platform/picturebox.h"

#include <QPainter>

namespace kv {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureBox::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

void PictureBox::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void PictureBox::setZoom(double zoom) {
    zoom_ = zoom > 0 ? zoom : 1.0;
    update();
}

void paintPicture(QPainter& p, const QRect& area, const QColor& background, const Picture& picture,
                  double zoom) {
    if (background.isValid()) p.fillRect(area, background);
    if (picture.isNull()) return;
    // Pixel for pixel: what is picked from the screen must be the stored colour.
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    const QImage& image = picture.image();
    if (zoom == 1.0)
        p.drawImage(QPoint(0, 0), image);
    else
        p.drawImage(QRectF(QPointF(0, 0), QSizeF(image.size()) * zoom), image);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, rect(), background_, picture_, zoom_);
}

} // namespace kv
