#include "platform/portalscreenreader.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace kv {

namespace {

// A screenshot takes the portal well under a second; a busy machine gets ample room.
constexpr int kScreenshotTimeoutMs = 10000;
// The colour picker waits for the user.
constexpr int kPickTimeoutMs = 120000;

// The outputs as one picture: their logical places, each in its own pixels.
QSize outputsSize() {
    QRect all;
    qreal scale = 1;
    for (const QScreen* s : QGuiApplication::screens()) {
        all |= s->geometry();
        scale = std::max(scale, s->devicePixelRatio());
    }
    return all.isEmpty() ? QSize() : (QSizeF(all.size()) * scale).toSize();
}

} // namespace

PortalScreenReader::PortalScreenReader(std::unique_ptr<PortalScreenshot> portal)
    : portal_(std::move(portal)) {}

QImage PortalScreenReader::takePicture() {
    PortalPicture picture = portal_->take();
    failure_ = portalFailureText(picture.outcome);
    if (!picture.image.isNull()) lastSize_ = picture.image.size();
    return picture.image;
}

std::optional<QRgb> PortalScreenReader::pixel(QPoint p) {
    const QImage source = held_.isNull() ? takePicture() : held_;
    if (source.isNull() || !source.rect().contains(p)) return std::nullopt;
    return source.pixel(p) | 0xff000000u;
}

QImage PortalScreenReader::grab(const QRect& r) {
    if (r.isEmpty()) return {};
    const QImage whole = takePicture();
    if (whole.isNull()) return {};
    if (r == whole.rect()) return whole;
    // Whatever lies off the outputs reads as black, as on X.
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(QPoint(0, 0), whole, r);
    return out;
}

QSize PortalScreenReader::screenSize() const {
    const QSize outputs = outputsSize();
    return outputs.isEmpty() ? lastSize_ : outputs;
}

void PortalScreenReader::holdPicture() {
    held_ = takePicture();
}

PickedColour PortalScreenReader::pickColour() {
    if (!pickerOffered_) return {};
    const PortalColour picked = portal_->pickColour();
    if (picked.outcome == PortalOutcome::NotOffered) {
        pickerOffered_ = false;
        return {};
    }
    failure_ = picked.colour ? QString() : portalFailureText(picked.outcome);
    return {true, picked.colour};
}

std::unique_ptr<ScreenReader> createPortalScreenReader() {
    return std::make_unique<PortalScreenReader>(std::make_unique<PortalScreenshot>(
        QDBusConnection::sessionBus(), kScreenshotTimeoutMs, kPickTimeoutMs));
}

} // namespace kv
