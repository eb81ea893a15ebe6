#pragma once
// Work a window's first frame needs but its mapping does not (measuring text, placing
// pictures drawn on a worker). It runs from the event loop just after show(), while
// the window manager maps the window, and at the latest just before the window's
// first expose is handled, so that the first frame is already complete.
#include <QObject>

#include <functional>

class QWidget;

namespace kv {

class BeforeFirstFrame : public QObject {
public:
    // Watches `window` (and goes with it); `work` runs once, after the window is
    // shown and before it is first drawn.
    BeforeFirstFrame(QWidget* window, std::function<void()> work);

    // Runs the work now unless it already ran.
    void run();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void()> work_;
};

} // namespace kv
