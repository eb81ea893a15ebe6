#include "loupe/loupe.h"

#include "loupe/placement.h"

#include <QPaintEvent>
#include <QPainter>

namespace kv {

LoupeWindow::LoupeWindow()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("放大镜 - Kolvane"));
}

void LoupeWindow::setPicture(const QImage& picture) {
    picture_ = picture;
}

void LoupeWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    for (const QRect& r : event->region())
        p.drawImage(r.topLeft(), picture_, r);
}

Loupe::Loupe() = default;
Loupe::~Loupe() = default;

void Loupe::Show(QPoint hot, const LoupeSource& source, const QStringList& caption,
                 const QRect& monitor, const std::vector<QRect>& keepClear) {
    RenderLoupe(source, caption, picture_);
    const QRect at = PlaceLoupe(hot, picture_.size(), monitor, kLoupeRadius, keepClear);
    if (!window_) window_ = std::make_unique<LoupeWindow>();
    window_->setPicture(picture_);
    if (window_->geometry() != at) window_->setGeometry(at);
    if (!window_->isVisible()) {
        window_->show();
        window_->raise();
    }
    // Drawn now rather than at the next turn of the event loop, so the picture and
    // the place always change together.
    window_->repaint();
}

void Loupe::Hide() {
    if (window_) window_->hide();
}

bool Loupe::visible() const {
    return window_ && window_->isVisible();
}

QRect Loupe::geometry() const {
    return visible() ? window_->geometry() : QRect();
}

} // namespace kv
