#pragma once
// Work that can wait until a window has been drawn once: it runs just after the
// window's first frame, so the frame is not kept waiting for it. A zero timer set
// at start-up would run before the first frame instead (the frame waits for the
// window manager to map the window, the timer does not).
#include <QObject>

#include <functional>

class QWidget;

namespace kv {

class AfterFirstFrame : public QObject {
public:
    // Watches `window` (and goes with it); `work` runs once, from the event loop,
    // after the window's first paint.
    AfterFirstFrame(QWidget* window, std::function<void()> work);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> work_;
};

} // namespace kv
