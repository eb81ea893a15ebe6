// The editor's three drawing layers.
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
    stale_ = QRect();
    persistent_ = true;
    changed(working_.rect());
}

void Surface::changed(const QRect& r) {
    if (onScreenChanged && !r.isEmpty()) onScreenChanged(r);
}

void Surface::dropTransient() {
    if (!transientShown_) return;
    transientShown_ = false;
    stale_ |= transientArea_;
    changed(transientArea_);
    transientArea_ = QRect();
}

void Surface::startTransient() {
    if (transient_.size() != working_.size() || transient_.format() != working_.format() ||
        !transient_.isDetached()) {
        transient_ = working_.copy();
    } else {
        const QRect r = stale_ & working_.rect();
        const std::size_t bytes = std::size_t(r.width()) * 4, at = std::size_t(r.x()) * 4;
        for (int y = r.top(); y <= r.bottom(); ++y)
            std::memcpy(transient_.scanLine(y) + at, working_.constScanLine(y) + at, bytes);
    }
    stale_ = QRect();
    transientShown_ = true;
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
        stale_ |= area;
        changed(area);
        return;
    }
    if (!transientShown_) startTransient();
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
            stale_ = working_.rect();
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
    stale_ = working_.rect();
    changed(working_.rect());
}

void Surface::release() {
    committed_ = QImage();
    working_ = QImage();
    transient_ = QImage();
    transientShown_ = false;
    transientArea_ = QRect();
    stale_ = QRect();
}

std::optional<QRgb> Surface::pixel(int x, int y) const {
    const QImage& img = persistent_ ? working_ : screen();
    if (!img.valid(x, y)) return std::nullopt;
    return img.pixel(x, y);
}

} // namespace kv
