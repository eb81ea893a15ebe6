#pragma once

#include "platform/screenreader.h"

#include <QImage>
#include <functional>

namespace kv {

// A whole picture of the screen taken right after one of our windows was hidden, on
// a desktop whose screenshots may lag behind its windows (GNOME, asked at once,
// could still show the window: nothing tells a client when it has painted the
// screen without it). Taken again while the window's looks are found in it, at
// most `attempts` pictures in all; the last one taken when the window never left.
ScreenGrab takeWithout(const std::function<ScreenGrab()>& take, const QImage& windowLooks,
                       int attempts);

} // namespace kv
