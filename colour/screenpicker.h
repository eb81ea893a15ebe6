#pragma once

#include "platform/colourvalue.h"
#include "platform/screenreader.h"

#include <QPoint>
#include <functional>
#include <optional>

namespace kv {

// The dropper's screen sampling: while a pick is in progress, each sample reads the
// screen pixel under the pointer and hands its channels on. Shared by the dropper
// box and the wheel/palette box, so a pick is always what the screen shows.
class ScreenPicker {
public:
    using PointerPosition = std::function<QPoint()>;
    using ColourSink = std::function<void(int red, int green, int blue)>;

    ScreenPicker(ScreenReader& screen, PointerPosition pointer, ColourSink sink);

    // A press starts a pick. The last sampled point is forgotten then: the screen
    // may have changed under it since the previous pick (another palette shown).
    // A reader that cannot follow the live screen takes its one picture here;
    // false when the samples that follow cannot be had (see ScreenReader).
    bool BeginPick();
    // Only the dropper's release ends a pick.
    void EndPick();
    // One sample at the pointer; nothing while no pick is in progress or when the
    // pointer has not moved since the last sample. A failed read takes no sample.
    void PickScreenPixel();

    bool picking = false;
    // Screen point of the last sample taken.
    std::optional<QPoint> previousSample;

private:
    ScreenReader& screen_;
    PointerPosition pointer_;
    ColourSink sink_;
};

} // namespace kv
