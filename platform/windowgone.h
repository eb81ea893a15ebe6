#pragma once

#include "platform/screenreader.h"

#include <QImage>
#include <QRect>

class QWidget;

namespace kv {

// Hides a top-level window and waits until it has really left the screen, so that a
// following screen read shows no pixel of it:
//  1. the window and the window manager's frame around it (if any) are unmapped, as
//     the X server sees it;
//  2. what lay beneath has been repainted: the area is read until it no longer shows
//     the window's last picture and two reads in a row agree.
// Gives up after timeoutMs (the screen is read anyway then). Returns whether the
// window was seen to go.
bool hideAndWaitOffScreen(QWidget* window, ScreenReader* screen, int timeoutMs = 400);

// Waits until the X server has handled every request sent so far (a round trip), so
// that what was drawn is on the screen.
void syncWithDisplay();

// Whether a screen area has settled after a window above it went away: it differs from
// the window's picture and did not change between the last two reads.
bool areaSettled(const QImage& windowPicture, const QImage& previousRead, const QImage& lastRead);

} // namespace kv
