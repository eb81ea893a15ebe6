#pragma once

// Commands from the command line or a second start, run as clicks on their labels.
#include "app/commandline.h"

namespace kv {

class FrmMain;

// Runs a command given on the command line, or handed over by a second start, as if
// its command label had been clicked. Ignored while the region editor or a dialog
// of ours is open, so a repeated shortcut cannot stack a second frozen screen over
// the first.
void RunStartCommand(FrmMain& main, StartCommand command);

// "kolvane --pin": the clipboard's picture pinned at the pointer. Empty when it was
// pinned; otherwise why not, in one line for the command (the tip line says it too).
QString PinClipboardPicture(FrmMain& main);
// What "kolvane --pin" says when the clipboard holds no picture.
QString NoPictureToPin();

} // namespace kv
