#pragma once
// Timing helpers shared by the benchmarks.
#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace kv::bench {

// Times each contender once per round, in turn and each round starting with the
// next one, so that a change in the load of the machine falls on all of them
// alike; the medians in milliseconds, after `warm` untimed runs of each.
inline std::vector<double>
interleavedMedians(int rounds, const std::vector<std::function<void()>>& runs, int warm = 1) {
    for (const auto& run : runs)
        for (int i = 0; i < warm; ++i)
            run();
    std::vector<std::vector<double>> times(runs.size());
    for (int r = 0; r < rounds; ++r)
        for (size_t i = 0; i < runs.size(); ++i) {
            const size_t k = (i + size_t(r)) % runs.size();
            QElapsedTimer t;
            t.start();
            runs[k]();
            times[k].push_back(double(t.nsecsElapsed()) / 1e6);
        }
    std::vector<double> medians;
    for (auto& t : times) {
        std::sort(t.begin(), t.end());
        medians.push_back(t[t.size() / 2]);
    }
    return medians;
}

inline double ratio(double a, double b) {
    return b > 0 ? a / b : 0.0;
}

} // namespace kv::bench
