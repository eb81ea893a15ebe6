#pragma once

#include <QTimer>
#include <QtGlobal>
#include <functional>

namespace kv {

// A repeating one-second timer that drives a countdown. The main window's
// QTimers stand behind it in the program; tests put timers on a clock of their own.
class CountdownTimer {
public:
    virtual ~CountdownTimer() = default;
    // Enabling a running timer leaves it running on its old beat.
    virtual void setEnabled(bool on) = 0;
    virtual bool isEnabled() const = 0;
};

// A QTimer as a countdown timer.
class QtCountdownTimer final : public CountdownTimer {
public:
    explicit QtCountdownTimer(QTimer& timer) : timer_(timer) {}
    void setEnabled(bool on) override;
    bool isEnabled() const override { return timer_.isActive(); }

private:
    QTimer& timer_;
};

enum class CaptureKind { FullScreen, ActiveWindow };

// The three-second countdown of the timed captures: two low beeps, then a high
// beep and the capture. Both kinds count on one shared counter of elapsed
// seconds, so two countdowns running at once advance it together; whichever
// takes it past two captures and puts it back to zero, and the other counts on
// from there.
class CaptureCountdown {
public:
    struct Actions {
        std::function<void(int frequency, int duration)> beep;
        std::function<void(CaptureKind)> capture;
    };

    static constexpr int kLowTone = 1500;
    static constexpr int kHighTone = 3000;
    static constexpr int kToneLength = 100;

    CaptureCountdown(CountdownTimer& fullScreen, CountdownTimer& activeWindow, Actions actions)
        : fullScreen_(fullScreen), activeWindow_(activeWindow), actions_(std::move(actions)) {}

    // Starts the countdown of one kind (its timer; the counter is left as it is).
    void start(CaptureKind kind);
    // One tick of the timer of that kind.
    void tick(CaptureKind kind);

    // Elapsed countdown seconds, shared by both kinds.
    qint16 captureCountdown = 0;

private:
    CountdownTimer& timerOf(CaptureKind kind) {
        return kind == CaptureKind::FullScreen ? fullScreen_ : activeWindow_;
    }

    CountdownTimer& fullScreen_;
    CountdownTimer& activeWindow_;
    Actions actions_;
};

} // namespace kv
