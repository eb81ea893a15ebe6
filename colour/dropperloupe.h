#pragma once

#include "colour/screenpicker.h"
#include "loupe/loupe.h"

namespace kv {

// The loupe that travels with the dropper: the pixels round the pointer enlarged,
// with the HTML notation of the one that is picked.
//
// The loupe lies beside the pointer, never over what it shows; but a quick move
// can bring the pointer onto where the loupe still is from the move before. The
// loupe then leaves first, and the sample waits until the screen beneath it has
// been repainted, so that neither the colour nor the loupe ever shows the loupe.
class DropperLoupe final : public PickViewer {
public:
    explicit DropperLoupe(ScreenReader& screen) : screen_(screen) {}

    void clearAround(QPoint at) override;
    void sampled(QPoint at, const LoupeSource& source, const QRect& monitor) override;
    // The drag is over: the loupe goes.
    void End() { loupe_.Hide(); }
    const Loupe& loupe() const { return loupe_; }

private:
    ScreenReader& screen_;
    Loupe loupe_;
};

} // namespace kv
