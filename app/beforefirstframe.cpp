#include "app/beforefirstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace kv {

BeforeFirstFrame::BeforeFirstFrame(QWidget* window, std::function<void()> work)
    : QObject(window), window_(window), work_(std::move(work)) {
    window->installEventFilter(this);
}

void BeforeFirstFrame::run() {
    if (!work_) return;
    // Taken out first: the work may send events that come back through the filter.
    const std::function<void()> work = std::move(work_);
    work_ = nullptr;
    window_->removeEventFilter(this);
    if (QWindow* handle = window_->windowHandle()) handle->removeEventFilter(this);
    work();
}

bool BeforeFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show && work_) {
        // The show event comes once the native window exists and before the request
        // to map it; the zero timer runs once that request is out. Should the expose
        // come even sooner, the work runs ahead of its paint.
        if (QWindow* handle = window_->windowHandle()) handle->installEventFilter(this);
        QTimer::singleShot(0, this, [this] { run(); });
    } else if (watched != window_ && event->type() == QEvent::Expose) {
        run();
    }
    return false;
}

} // namespace kv
