// The numbered-step tool: moves show the marker on the screen only, the release draws
// it into the working image and keeps it.
#include "snapshot/stepnumbertool.h"

#include "snapshot/markstrokes.h"

namespace kv {

void StepNumberTool::move(ToolContext& c, int, QPointF at) {
    paintStepStroke(c.surface, c.selection, start_, at, number_, penWidth(c), c.options.colour);
}

StrokeEnd StepNumberTool::release(ToolContext& c, int, QPointF at) {
    paintStepStroke(c.surface, c.selection, start_, at, number_, penWidth(c), c.options.colour);
    return StrokeEnd::Commit;
}

std::unique_ptr<Tool> makeStepNumberTool(const ToolInfo& info) {
    return std::make_unique<StepNumberTool>(info);
}

} // namespace kv
