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

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (background_.isValid()) p.fillRect(rect(), background_);
    if (!picture_.isNull()) {
        // Pixel for pixel: what is picked from the screen must be the stored colour.
        p.setRenderHint(QPainter::SmoothPixmapTransform, false);
        const QImage& image = picture_.image();
        if (zoom_ == 1.0)
            p.drawImage(QPoint(0, 0), image);
        else
            p.drawImage(QRectF(QPointF(0, 0), QSizeF(image.size()) * zoom_), image);
    }
}

} // namespace kv
