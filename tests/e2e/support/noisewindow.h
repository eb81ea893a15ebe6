#pragma once
// A window of random pixels to capture, and where the window manager put it.
#include "support/noisewindow.h"

#include <QRect>
#include <QtGui/qwindowdefs.h>

namespace e2e {

using NoiseWindow = kvtest::NoiseWindow;

// Where a window's own area is on the screen, as xwininfo reports it.
QRect clientGeometry(WId window);
// The window with the frame its window manager drew, from the frame widths the
// window manager publishes (xprop) and the window's place (xwininfo).
QRect frameGeometry(WId window);

} // namespace e2e
