#include "app/afterfirstframe.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace kv {

AfterFirstFrame::AfterFirstFrame(QWidget* window, std::function<void()> work)
    : QObject(window), work_(std::move(work)) {
    window->installEventFilter(this);
}

bool AfterFirstFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Queued: it runs once this paint and the flush that follows it are done.
        QTimer::singleShot(0, this, [this] {
            if (work_) work_();
            work_ = nullptr;
            deleteLater();
        });
    }
    return false;
}

} // namespace kv
