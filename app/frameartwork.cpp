#include "app/frameartwork.h"

#include "app/artwork.h"

namespace kv {

QSize BannerSize(const UiScale& ui) {
    // The main window's width less the border on either side, one title strip high.
    return QSize(ui.twips(8415) - ui.twips(30), ui.twips(450));
}

FrameArtwork DrawFrameArtwork(const UiScale& ui) {
    const double scale = ui.factor();
    FrameArtwork art;
    for (int state = 0; state < 3; ++state)
        art.titleButton[state] = artwork::TitleButton(state, scale);
    art.dropper = artwork::DropperIcon(scale);
    art.captureCube = artwork::CaptureCube(ui.px(QSize(401, 257)));
    art.programIcon = artwork::ProgramIcon(15, scale);
    art.colourTab = artwork::ColourTabIcon(ui.px(48));
    art.captureTab = artwork::CaptureTabIcon(ui.px(48));
    art.banner = artwork::Banner(BannerSize(ui), scale);
    return art;
}

// At the normal priority: painting may hand work to Qt's thread pool, whose
// threads, started from here, would keep a lowered priority for good (and later
// encode the clipboard's pictures at it).
FrameArtworkDrawing::FrameArtworkDrawing(UiScale ui)
    : drawn_(std::async(std::launch::async, [ui] { return DrawFrameArtwork(ui); })) {}

FrameArtworkDrawing::~FrameArtworkDrawing() {
    if (drawn_.valid()) drawn_.wait();
}

FrameArtwork FrameArtworkDrawing::take() {
    return drawn_.valid() ? drawn_.get() : FrameArtwork{};
}

} // namespace kv
