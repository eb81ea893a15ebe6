#pragma once

#include <QImage>
#include <memory>

namespace kv {

// A shared picture: copies of a Picture are the same picture, so one that is
// re-coloured in place is seen by every holder (the stored wheel and the box that
// shows it, for example). A default-constructed Picture holds nothing.
class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image) : d_(std::make_shared<QImage>(std::move(image))) {}

    bool isNull() const { return !d_ || d_->isNull(); }
    // The image itself; an empty image when there is none.
    const QImage& image() const { return d_ ? *d_ : empty(); }
    // Writable access for in-place changes; only valid when the picture exists.
    QImage& mutableImage() { return *d_; }
    bool sameAs(const Picture& other) const { return d_ && d_ == other.d_; }
    QSize size() const { return image().size(); }

private:
    static const QImage& empty() {
        static const QImage none;
        return none;
    }
    std::shared_ptr<QImage> d_;
};

} // namespace kv
