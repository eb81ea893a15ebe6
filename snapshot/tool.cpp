#include "snapshot/tool.h"

#include "snapshot/strokes.h"
#include "snapshot/surface.h"

namespace kv {

int ToolOptions::penSize(int slot) const {
    return slot >= 0 && slot < kPenSlotCount ? penIndex[std::size_t(slot)] : -1;
}

int ToolOptions::penWidth(int slot) const {
    return penWidthOf(penSize(slot));
}

bool Tool::press(ToolContext& c, QPointF at) {
    // Only the inside counts: a press on the outline or beyond it draws nothing.
    if (!strictlyInside(c.selection, at)) return false;
    c.surface.setPersistent(false);
    start_ = at;
    return true;
}

} // namespace kv
