// The small widgets the tool bar and option bar are built from.
#include "snapshot/toolbar_widgets.h"

#include "platform/screenpointer.h"

#include <QEvent>
#include <QPainter>

namespace kv {

IconButton::IconButton(QWidget* parent, const QImage& image)
    : ClickableLabel(parent), image_(image) {
    setMouseTracking(true);
    if (!image_.isNull()) resize(image_.size());
}

void IconButton::setImage(const QImage& image) {
    image_ = image;
    update();
}

void IconButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(QPoint(0, 0), image_);
}

OutlineShape::OutlineShape(QWidget* parent, const QColor& colour)
    : QWidget(parent), colour_(colour) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineShape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(colour_);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

LineShape::LineShape(QWidget* parent, const QColor& colour) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    setAutoFillBackground(true);
}

void preparePanel(QWidget* panel, const QColor& background) {
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, background);
    panel->setPalette(pal);
    panel->setAutoFillBackground(true);
    panel->setMouseTracking(true);
}

void showArrowPointer() {
    setScreenPointer(Qt::ArrowCursor);
}

} // namespace kv
