#include "platform/clickablelabel.h"

#include "platform/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

namespace kv {

ClickableLabel::ClickableLabel(QWidget* parent) : QLabel(parent) {}

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void ClickableLabel::setPicture(const Picture& picture) {
    picture_ = picture;
    update();
}

void ClickableLabel::setBackground(const QColor& colour) {
    background_ = colour;
    update();
}

void ClickableLabel::setZoom(double zoom) {
    zoom_ = zoom > 0 ? zoom : 1.0;
    update();
}

QSize ClickableLabel::sizeHint() const {
    return text().isEmpty() ? QSize(0, 0) : QLabel::sizeHint();
}

QSize ClickableLabel::minimumSizeHint() const {
    return text().isEmpty() ? QSize(0, 0) : QLabel::minimumSizeHint();
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    emit pressed(event->button(), event->globalPosition().toPoint());
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton) leftDown_ = true;
    emit doublePressed(event->button(), event->globalPosition().toPoint());
}

void ClickableLabel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit moved(event->buttons(), event->globalPosition().toPoint());
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    const bool left = event->button() == Qt::LeftButton;
    const bool over = rect().contains(event->position().toPoint());
    const bool click = left && leftDown_ && over;
    if (left) leftDown_ = false;
    emit released(event->button(), event->globalPosition().toPoint());
    if (over) emit releasedOver(event->button());
    if (click) emit clicked();
}

void ClickableLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit pointerLeft();
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    if (background_.isValid() || !picture_.isNull()) {
        QPainter p(this);
        paintPicture(p, rect(), background_, picture_, zoom_);
    }
    if (!text().isEmpty()) QLabel::paintEvent(event);
}

} // namespace kv
