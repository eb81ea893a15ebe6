#include "app/frameartwork.h"

#include "app/artwork.h"
#include "platform/threadpriority.h"

#include <chrono>

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

FrameArtworkDrawing::FrameArtworkDrawing(UiScale ui)
    : ui_(ui), drawn_(std::async(std::launch::async, [ui] {
          LowerThisThreadsPriority();
          return DrawFrameArtwork(ui);
      })) {}

FrameArtworkDrawing::~FrameArtworkDrawing() {
    if (drawn_.valid()) drawn_.wait();
}

FrameArtwork FrameArtworkDrawing::take() {
    if (taken_ || !drawn_.valid()) return {};
    // A worker still drawing is one the machine is too busy to run at its low
    // priority: waiting for it could take longer than drawing here.
    if (drawn_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        taken_ = true;
        return DrawFrameArtwork(ui_);
    }
    return drawn_.get();
}

} // namespace kv
