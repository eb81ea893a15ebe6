#pragma once

// The frozen picture of the whole desktop and the editor's window over every monitor.
#include "platform/monitors.h"
#include "platform/screenreader.h"

#include <QImage>
#include <memory>

class QWidget;

namespace kv {

class OutputViews;

// The frozen picture of the whole desktop: every monitor, as one picture of the root
// from (0, 0), black where no monitor shows the root and where it cannot be read
// (with the reason when nothing could be read).
ScreenGrab freezeDesktop(ScreenReader* screen, const Monitors& monitors);

// Shows a frameless window over every monitor with its (0, 0) on the desktop's, so
// that its pixels are desktop pixels. One monitor: full screen through the window
// manager. Several: window managers keep a full-screen window to one monitor (and few
// know how to spread it over several), so the window is placed by itself, past the
// window manager.
void coverDesktop(QWidget* window, const Monitors& monitors);

// How the editor covers the desktop, chosen at each showing: its own window over
// every monitor (coverDesktop), or, where one window cannot cover several outputs
// (a compositor keeps a full-screen window to one output) and there are several,
// one window per output (OutputViews).
class DesktopCover {
public:
    DesktopCover(QWidget* editor, bool oneWindowCoversAllOutputs);
    // Gives the editor its own window back first: it must outlive its cover.
    ~DesktopCover();
    DesktopCover(const DesktopCover&) = delete;
    DesktopCover& operator=(const DesktopCover&) = delete;

    void show(const Monitors& monitors);
    // The per-output windows while they are in use; null otherwise.
    const OutputViews* views() const { return views_.get(); }

private:
    QWidget* editor_;
    bool oneWindowCovers_;
    std::unique_ptr<OutputViews> views_;
};

} // namespace kv
