#pragma once

#include "platform/monitors.h"
#include "platform/picturemimedata.h"

#include <QImage>
#include <QString>
#include <functional>

namespace kv {

// What every pin needs from the rest of the program, owned by the board that makes
// the pins (and so outliving them).
struct PinContext {
    // The bytes a paste asks for, made once off the user-interface thread; Qt's
    // own writers for every paste when empty.
    PictureEncoder clipboardEncoder;
    // The folder the save dialog starts in (made when missing).
    std::function<QString()> saveFolder;
    // The monitors as they are now; one screen from Qt when empty.
    std::function<Monitors()> monitors;
    // The window's sides are whole multiples of this many pixels (see roundedUpTo);
    // the picture keeps its size, the border takes the rest. Asked at the first pin
    // (it may take a connection to the compositor); 1 when empty.
    std::function<int()> sizeStep;
    // A pin stands where it is put and follows a drag itself (X11); otherwise the
    // compositor places and moves it.
    bool placesOwnWindows = true;
    // "文字识别" on a pin's menu: recognises the text of the picture. The item is
    // hidden while this is empty.
    std::function<void(const QImage& picture)> recognizeText;
};

} // namespace kv
