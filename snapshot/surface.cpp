#include "snapshot/surface.h"

#include <cstring>

namespace kv {

void Surface::load(const QImage& snapshot) {
    committed_ = snapshot.format() == QImage::Format_RGB32
                     ? snapshot
                     : snapshot.convertToFormat(QImage::Format_RGB32);
    working_ = committed_;
    transient_ = QImage();
    transientShown_ = false;
    transientArea_ = QRect();
    persistent_ = true;
    changed(working_.rect());
}

void Surface::changed(const QRect& r) {
    if (onScreenChanged && !r.isEmpty()) onScreenChanged(r);
}

void Surface::dropTransient() {
    if (!transientShown_) return;
    transientShown_ = false;
    changed(transientArea_);
    transientArea_ = QRect();
}

void Surface::paint(const std::function<void(QPainter&)>& draw, const QRect& bounds) {
    const QRect area = bounds.isValid() ? bounds.intersected(working_.rect()) : working_.rect();
    if (persistent_) {
        // A persistent change repaints the window from the working image, which wipes
        // what was drawn only on the screen.
        dropTransient();
        QPainter p(&working_);
        draw(p);
        p.end();
        changed(area);
        return;
    }
    if (!transientShown_) {
        if (transient_.size() == working_.size() && transient_.format() == working_.format() &&
            transient_.isDetached())
            std::memcpy(transient_.bits(), working_.constBits(),
                        std::size_t(working_.sizeInBytes()));
        else
            transient_ = working_.copy();
        transientShown_ = true;
    }
    QPainter p(&transient_);
    draw(p);
    p.end();
    transientArea_ = transientArea_.united(area);
    changed(area);
}

void Surface::clear() {
    if (persistent_) {
        dropTransient();
        if (working_.constBits() != committed_.constBits()) {
            working_ = committed_;
            changed(working_.rect());
        }
        return;
    }
    dropTransient();
}

void Surface::commit() {
    committed_ = working_;
}

void Surface::setCommitted(const QImage& picture) {
    committed_ = picture.format() == QImage::Format_RGB32
                     ? picture
                     : picture.convertToFormat(QImage::Format_RGB32);
    working_ = committed_;
    transientShown_ = false;
    transientArea_ = QRect();
    changed(working_.rect());
}

void Surface::release() {
    committed_ = QImage();
    working_ = QImage();
    transient_ = QImage();
    transientShown_ = false;
    transientArea_ = QRect();
}

std::optional<QRgb> Surface::pixel(int x, int y) const {
    const QImage& img = persistent_ ? working_ : screen();
    if (!img.valid(x, y)) return std::nullopt;
    return img.pixel(x, y);
}

} // namespace kv
