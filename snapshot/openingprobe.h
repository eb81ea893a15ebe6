#pragma once

// The measuring point of the region editor's opening.
#include <QString>

namespace kv {

// Told how far an opening of the region editor has come. Measurements provide one
// (the benchmarks, the KOLVANE_TIMING report); without one nothing is measured.
class OpeningProbe {
public:
    virtual ~OpeningProbe() = default;
    // The user asked for the editor: the steps that follow belong to this opening.
    virtual void OpeningAsked() = 0;
    // A step of the opening is done: "main window gone", "screen read", "loaded",
    // "shown", "painted", "on screen" (the first frame has reached the display).
    virtual void OpeningReached(const QString& step) = 0;
};

} // namespace kv
