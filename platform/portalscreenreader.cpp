#include "platform/portalscreenreader.h"

#include "platform/freshpicture.h"
#include "platform/locatewindow.h"
#include "platform/screenshotpermission.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace kv {

namespace {

// A screenshot takes the portal well under a second; a busy machine gets ample room.
constexpr int kScreenshotTimeoutMs = 10000;
// The colour picker waits for the user.
constexpr int kPickTimeoutMs = 120000;
// A window hidden this long ago concerns no picture any more.
constexpr qint64 kHiddenForMs = 2000;
// Pictures taken at most while they still show a window just hidden: the first one
// that lagged behind is followed by one taken a portal round trip later.
constexpr int kStaleAttempts = 3;

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

PortalScreenReader::PortalScreenReader(std::unique_ptr<PortalScreenshot> portal,
                                       std::unique_ptr<KWinScreenshot> kwin)
    : portal_(std::move(portal)), kwin_(std::move(kwin)) {}

ScreenGrab PortalScreenReader::takePicture() {
    const QImage looks = std::exchange(hiddenLooks_, QImage());
    if (looks.isNull() || hiddenAt_.elapsed() > kHiddenForMs) return takeOnce();
    return takeWithout([this] { return takeOnce(); }, looks, kStaleAttempts);
}

ScreenGrab PortalScreenReader::takeOnce() {
    if (kwin_) {
        KWinPicture own = kwin_->take();
        if (!own.image.isNull()) {
            lastSize_ = own.image.size();
            return {std::move(own.image), QString()};
        }
        if (own.refused) kwin_.reset();
    }
    PortalPicture picture = portal_->take();
    if (!picture.image.isNull()) lastSize_ = picture.image.size();
    const QString failure =
        picture.outcome == PortalOutcome::Success
            ? QString()
            : screenshotFailureText(picture.outcome,
                                    readScreenshotPermission(QDBusConnection::sessionBus()));
    return {std::move(picture.image), failure};
}

std::optional<QRgb> PortalScreenReader::pixel(QPoint p) {
    if (!held_.isNull()) {
        if (!offset_) return std::nullopt;
        p += *offset_;
    }
    const QImage source = held_.isNull() ? takePicture().image : held_;
    if (source.isNull() || !source.rect().contains(p)) return std::nullopt;
    return source.pixel(p) | 0xff000000u;
}

ScreenGrab PortalScreenReader::grab(const QRect& r) {
    if (r.isEmpty()) return {};
    ScreenGrab taken = takePicture();
    if (taken.image.isNull()) return taken;
    const QImage& whole = taken.image;
    if (r == whole.rect()) return taken;
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

// The portal's picture spans the outputs' layout from its top-left corner, at one
// scale for all; Qt, scaled to that in a Wayland session, gives the outputs in those
// pixels already.
Monitors PortalScreenReader::monitors() const {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QRect layout;
    for (const QScreen* s : screens)
        layout |= s->geometry();
    if (layout.isEmpty()) return Monitors::single(QRect(QPoint(0, 0), screenSize()));
    Monitors m;
    for (const QScreen* s : screens) {
        if (s == QGuiApplication::primaryScreen()) m.primary = int(m.list.size());
        m.list.push_back({s->geometry().translated(-layout.topLeft()), s->devicePixelRatio()});
    }
    m.root = QRect(QPoint(0, 0), layout.size());
    return m;
}

PictureHold PortalScreenReader::holdPicture() {
    offset_.reset();
    ScreenGrab taken = takePicture();
    held_ = taken.image;
    if (held_.isNull()) return {false, taken.failure};
    // The window that holds the pointer (the dropper's), else the active one.
    QWidget* w = QWidget::mouseGrabber();
    if (!w) w = QApplication::activeWindow();
    const QImage looks = w ? w->window()->grab().toImage() : QImage();
    const std::optional<QPoint> at =
        looks.devicePixelRatio() == 1.0 ? locateInPicture(held_, looks) : std::nullopt;
    if (!at) return {false, QStringLiteral("屏幕画面中找不到本程序的窗口")};
    offset_ = *at - w->window()->mapToGlobal(QPoint(0, 0));
    return {};
}

PickedColour PortalScreenReader::pickColour() {
    if (!pickerOffered_) return {};
    const PortalColour picked = portal_->pickColour();
    if (picked.outcome == PortalOutcome::NotOffered) {
        pickerOffered_ = false;
        return {};
    }
    return {true, picked.colour, picked.colour ? QString() : portalFailureText(picked.outcome)};
}

std::unique_ptr<ScreenReader> createPortalScreenReader() {
    const bool kde = qEnvironmentVariable("XDG_CURRENT_DESKTOP")
                         .split(QLatin1Char(':'))
                         .contains(QLatin1String("KDE"), Qt::CaseInsensitive);
    return std::make_unique<PortalScreenReader>(
        std::make_unique<PortalScreenshot>(QDBusConnection::sessionBus(), kScreenshotTimeoutMs,
                                           kPickTimeoutMs),
        kde ? std::make_unique<KWinScreenshot>(QDBusConnection::sessionBus(), kScreenshotTimeoutMs)
            : nullptr);
}

} // namespace kv
