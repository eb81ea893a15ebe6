#include "capture/countdown.h"

namespace kv {

void QtCountdownTimer::setEnabled(bool on) {
    if (!on)
        timer_.stop();
    else if (!timer_.isActive())
        timer_.start();
}

void CaptureCountdown::start(CaptureKind kind) {
    timerOf(kind).setEnabled(true);
}

void CaptureCountdown::tick(CaptureKind kind) {
    ++captureCountdown;
    if (captureCountdown <= 2) {
        if (actions_.beep) actions_.beep(kLowTone, kToneLength);
        return;
    }
    if (actions_.beep) actions_.beep(kHighTone, kToneLength);
    captureCountdown = 0;
    timerOf(kind).setEnabled(false);
    if (actions_.capture) actions_.capture(kind);
}

} // namespace kv
