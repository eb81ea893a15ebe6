#pragma once

#include "platform/monitors.h"
#include "platform/screenreader.h"

#include <QImage>

class QWidget;

namespace kv {

// The frozen picture of the whole desktop: every monitor, as one picture of the root
// from (0, 0), black where no monitor shows the root and where it cannot be read.
QImage freezeDesktop(ScreenReader* screen, const Monitors& monitors);

// Shows a frameless window over every monitor with its (0, 0) on the desktop's, so
// that its pixels are desktop pixels. One monitor: full screen through the window
// manager. Several: window managers keep a full-screen window to one monitor (and few
// know how to spread it over several), so the window is placed by itself, past the
// window manager.
void coverDesktop(QWidget* window, const Monitors& monitors);

} // namespace kv
