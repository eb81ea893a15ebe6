#pragma once
// Timing helpers shared by the benchmarks.
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
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

// One line of the table that bench.sh gathers from all benchmarks at the end:
// a figure, its baseline from the same run, the ratio and the target.
inline void summaryRow(const char* figure, double ms, const char* baseline, double baselineMs,
                       const char* target) {
    if (baselineMs <= 0) return; // no baseline in this run (a tool missing, say)
    std::printf("SUMMARY | %-38s | %8.1f ms | %-34s | %8.1f ms | x%5.2f | %s\n", figure, ms,
                baseline, baselineMs, ratio(ms, baselineMs), target);
}

} // namespace kv::bench
