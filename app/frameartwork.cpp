#include "app/frameartwork.h"

#include "app/artwork.h"

#include <QThreadPool>

#include <memory>

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

// On a thread of Qt's shared pool: the raster engine splits each large fill
// across that pool and waits for the pieces, unless the painting thread is one
// of the pool's own. Split, the cube's gradient fills became hundreds of
// hand-overs between three threads on a start-up's busy cores; drawn on one
// thread, the pixels are the same, the processor time less, and the first frame
// came some 1.5 ms sooner in alternating starts. A pool thread also keeps the
// normal priority of the thread that started it.
FrameArtworkDrawing::FrameArtworkDrawing(UiScale ui) {
    auto promise = std::make_shared<std::promise<FrameArtwork>>();
    drawn_ = promise->get_future();
    QThreadPool::globalInstance()->start(
        [promise, ui] { promise->set_value(DrawFrameArtwork(ui)); });
}

FrameArtworkDrawing::~FrameArtworkDrawing() {
    if (drawn_.valid()) drawn_.wait();
}

FrameArtwork FrameArtworkDrawing::take() {
    return drawn_.valid() ? drawn_.get() : FrameArtwork{};
}

} // namespace kv
