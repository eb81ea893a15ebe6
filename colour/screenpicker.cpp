#include "colour/screenpicker.h"

namespace kv {

ScreenPicker::ScreenPicker(ScreenReader& screen, PointerPosition pointer, ColourSink sink)
    : screen_(screen), pointer_(std::move(pointer)), sink_(std::move(sink)) {}

bool ScreenPicker::BeginPick() {
    picking = true;
    previousSample.reset();
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
    const std::optional<QRgb> pixel = screen_.pixel(at);
    // An unreadable point (off the screen, display gone) leaves the colour alone;
    // the point is not remembered, so the next move there tries again.
    if (!pixel) return;
    previousSample = at;
    const Channels c = SplitColourValue(ColourValueOf(*pixel));
    if (sink_) sink_(c.red, c.green, c.blue);
}

} // namespace kv
