// The colour sources of the main window: dropper, wheel, palettes, colour dialog.
#include "app/frmmain.h"

namespace kv {

void FrmMain::LblColor_MouseDown(int index, Qt::MouseButton) {
    if (index < 0 || index > 4) return;
    ShowColourPage();
}

void FrmMain::PrepareWheel() {}

bool FrmMain::colourSourcesEvent(QObject*, QEvent*) {
    return false;
}

} // namespace kv
