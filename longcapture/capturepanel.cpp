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

// Enter keeps what is stitched, Esc discards it; false for any other key.
bool answerKey(const QKeyEvent* event, const std::function<void(bool keep)>& keep) {
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
    if (keep) keep(key != Qt::Key_Escape);
    return true;
}

// One strip of the frame; it hears the keys while it holds the keyboard.
class FrameStrip : public QWidget {
public:
    FrameStrip()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus) {}
    std::function<void(bool keep)> keep;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (!answerKey(event, keep)) QWidget::keyPressEvent(event);
    }
};

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
    const auto keep = [this](bool kept) {
        if (kept && onDone) onDone();
        if (!kept && onCancel) onCancel();
    };
    if (!answerKey(event, keep)) QWidget::keyPressEvent(event);
}

LongCaptureFrame::LongCaptureFrame(const QRect& selection) {
    const auto rects = frameStrips(selection);
    for (size_t i = 0; i < strips_.size(); ++i) {
        auto strip = std::make_unique<FrameStrip>();
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
    if (keyboardTaken_) strips_[0]->releaseKeyboard();
    keyboardTaken_ = false;
    for (auto& s : strips_)
        s->hide();
}

void LongCaptureFrame::takeKeyboard(std::function<void(bool keep)> keep) {
    auto* strip = static_cast<FrameStrip*>(strips_[0].get());
    strip->keep = std::move(keep);
    // Off the screen where the selection fills it, the strip is still mapped: an X
    // server grants the grab to any mapped window.
    strip->grabKeyboard();
    keyboardTaken_ = true;
}

} // namespace kv
