// Drawing on the region: strokes, tool bar and pickers.
#include "snapshot/frmsnap.h"

namespace kv {

void FrmSnap::buildToolArea() {}

void FrmSnap::toolPress(int, float, float) {}

void FrmSnap::toolMove(int, float, float) {}

void FrmSnap::toolRelease(int, float, float) {}

} // namespace kv
