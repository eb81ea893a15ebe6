#include "colour/screenpicker.h"

namespace kv {

ScreenPicker::ScreenPicker(ScreenReader& screen, PointerPosition pointer, ColourSink sink)
    : screen_(screen), pointer_(std::move(pointer)), sink_(std::move(sink)) {}

PictureHold ScreenPicker::BeginPick() {
    picking = true;
    previousSample.reset();
    monitors_ = screen_.monitors();
    return screen_.holdPicture();
}

void ScreenPicker::EndPick() {
    picking = false;
    screen_.releasePicture();
}

void ScreenPicker::PickScreenPixel() {
    if (!picking) return;
    const QPoint at = pointer_();
    if (previousSample && *previousSample == at) return;
    std::optional<QRgb> pixel;
    LoupeSource around;
    if (viewer_) {
        viewer_->clearAround(at);
        around = LoupeSourceFrom(screen_, monitors_.desktop(), at);
        if (around.centreValid()) pixel = around.centre();
    }
    // Without the area around the point (a reader that cannot grab, a failed
    // read) the pick still takes the single pixel; the loupe then shows nothing.
    if (!pixel) pixel = screen_.pixel(at);
    // An unreadable point (off the screen, display gone) leaves the colour alone;
    // the point is not remembered, so the next move there tries again.
    if (!pixel) return;
    previousSample = at;
    if (viewer_ && around.centreValid()) viewer_->sampled(at, around, monitors_.monitorFor(at));
    const Channels c = SplitColourValue(ColourValueOf(*pixel));
    if (sink_) sink_(c.red, c.green, c.blue);
}

} // namespace kv
