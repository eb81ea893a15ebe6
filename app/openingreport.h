#pragma once
// The region editor's opening time printed for measurements of the running program.
#include "snapshot/openingprobe.h"

#include <QElapsedTimer>
#include <QString>

namespace kv {

// With KOLVANE_TIMING set, main() gives the main window this probe: each opening of the
// region editor prints its time from the request to the first frame on the display,
// "kolvane: region editor first frame 42.0 ms", on standard error, after a line for
// each step on the way ("kolvane: region editor step "screen read" 30.1 ms").
class OpeningReport final : public OpeningProbe {
public:
    void OpeningAsked() override { clock_.start(); }
    void OpeningReached(const QString& step) override {
        if (!clock_.isValid()) return;
        const double ms = clock_.nsecsElapsed() / 1e6;
        if (step == QLatin1String("on screen"))
            qInfo("kolvane: region editor first frame %.1f ms", ms);
        else
            qInfo("kolvane: region editor step \"%s\" %.1f ms", qPrintable(step), ms);
    }

private:
    QElapsedTimer clock_;
};

} // namespace kv
