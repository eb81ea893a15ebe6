#pragma once
// The benchmarks' measuring point in the region editor's opening.
#include "snapshot/openingprobe.h"

#include <QElapsedTimer>
#include <QString>
#include <utility>
#include <vector>

namespace kv::bench {

// The steps of the last opening, in ms since the user asked for the editor.
class OpeningTimeline final : public OpeningProbe {
public:
    void OpeningAsked() override {
        clock.start();
        steps.clear();
    }
    void OpeningReached(const QString& step) override {
        if (clock.isValid()) steps.emplace_back(step, clock.nsecsElapsed() / 1e6);
    }
    // When `step` was reached; -1 while it has not been.
    double at(const QString& step) const {
        for (const auto& [what, ms] : steps)
            if (what == step) return ms;
        return -1;
    }

    QElapsedTimer clock; // started when the user asked
    std::vector<std::pair<QString, double>> steps;
};

} // namespace kv::bench
