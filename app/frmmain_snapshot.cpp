// The main window's side of the region editor: opening it and saving its region.
#include "app/frmmain.h"

namespace kv {

void FrmMain::OpenRegionCapture() {}

void FrmMain::SaveRegionImage() {}

bool FrmMain::snapshotEvent(QObject*, QEvent*) {
    return false;
}

} // namespace kv
