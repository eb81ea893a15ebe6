// The capture commands of the main window: timed captures and their routines.
#include "app/frmmain.h"

namespace kv {

void FrmMain::LblColor_Click(int index) {
    if (index < 5 || index > 8) return;
    LblTrim_Click();
    if (index == 6) OpenRegionCapture();
    if (index == 8) SaveRegionImage();
}

void FrmMain::AddTrayIcon(const QString&, const QString&) {}

void FrmMain::RemoveTrayIcon() {}

bool FrmMain::captureEvent(QObject*, QEvent*) {
    return false;
}

} // namespace kv
