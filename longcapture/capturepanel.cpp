#include "longcapture/capturepanel.h"

#include "longcapture/placement.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kv {
namespace {

constexpr QSize kPreviewSize(160, 120);

} // namespace

LongCapturePanel::LongCapturePanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setWindowTitle(QStringLiteral("Kolvane 长截图"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(222, 238, 255));
    setPalette(pal);

    preview_ = new QLabel(this);
    preview_->setFixedSize(kPreviewSize);
    preview_->setAlignment(Qt::AlignCenter);
    height_ = new QLabel(this);
    done_ = new QPushButton(QStringLiteral("完成"), this);
    cancel_ = new QPushButton(QStringLiteral("取消"), this);
    for (QPushButton* b : {done_, cancel_})
        b->setFocusPolicy(Qt::NoFocus);
    connect(done_, &QPushButton::clicked, this, [this] {
        if (onDone) onDone();
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        if (onCancel) onCancel();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(done_);
    buttons->addWidget(cancel_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(preview_);
    column->addWidget(height_);
    column->addLayout(buttons);
    setFocusPolicy(Qt::StrongFocus);
    showProgress(0, QImage());
    adjustSize();
}

void LongCapturePanel::showProgress(int height, const QImage& latest) {
    height_->setText(QStringLiteral("高度：%1 像素").arg(height));
    if (!latest.isNull())
        preview_->setPixmap(QPixmap::fromImage(
            latest.scaled(kPreviewSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void LongCapturePanel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (onDone) onDone();
        return;
    case Qt::Key_Escape:
        if (onCancel) onCancel();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

LongCaptureFrame::LongCaptureFrame(const QRect& selection) {
    const auto rects = frameStrips(selection);
    for (size_t i = 0; i < strips_.size(); ++i) {
        auto strip = std::make_unique<QWidget>(
            nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus);
        strip->setAttribute(Qt::WA_TransparentForMouseEvents);
        strip->setAttribute(Qt::WA_ShowWithoutActivating);
        strip->setAutoFillBackground(true);
        QPalette pal = strip->palette();
        pal.setColor(QPalette::Window, QColor(0, 120, 215));
        strip->setPalette(pal);
        strip->setGeometry(rects[i]);
        strips_[i] = std::move(strip);
    }
}

LongCaptureFrame::~LongCaptureFrame() = default;

void LongCaptureFrame::show() {
    for (auto& s : strips_)
        s->show();
}

void LongCaptureFrame::hide() {
    for (auto& s : strips_)
        s->hide();
}

} // namespace kv
