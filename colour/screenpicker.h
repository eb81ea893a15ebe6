#pragma once

#include "loupe/loupepicture.h"
#include "platform/colourvalue.h"
#include "platform/screenreader.h"

#include <QPoint>
#include <functional>
#include <optional>

namespace kv {

// Sees what each sample is taken from (the dropper's loupe).
class PickViewer {
public:
    virtual ~PickViewer() = default;
    // Called before the screen round `at` is read: makes sure nothing of ours lies
    // over it then.
    virtual void clearAround(QPoint at) = 0;
    // A sample was taken at `at`; `source` is what it was read from, and its centre
    // is the colour picked.
    virtual void sampled(QPoint at, const LoupeSource& source, const QRect& monitor) = 0;
};

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
    // A reader that cannot follow the live screen takes its one picture here; not
    // held, with the reason, when the samples that follow cannot be had (see
    // ScreenReader).
    PictureHold BeginPick();
    // Only the dropper's release ends a pick.
    void EndPick();
    // One sample at the pointer; nothing while no pick is in progress or when the
    // pointer has not moved since the last sample. A failed read takes no sample.
    void PickScreenPixel();
    // While a viewer is set each sample reads the pixels round the pointer, as one
    // read, and shows them to the viewer; the colour is that read's centre.
    void setViewer(PickViewer* viewer) { viewer_ = viewer; }

    bool picking = false;
    // Screen point of the last sample taken.
    std::optional<QPoint> previousSample;

private:
    ScreenReader& screen_;
    PointerPosition pointer_;
    ColourSink sink_;
    PickViewer* viewer_ = nullptr;
    // Asked once a pick, not at every move: the monitors do not change in a drag.
    Monitors monitors_;
};

} // namespace kv
