#pragma once

// The numbered-step tool: each click places the next number in a filled circle.
#include "snapshot/tool.h"

namespace kv {

// A click places marker `number()` centred on the clicked pixel, its circle sized by the
// tool's pen size; a drag adds a pointer line from the circle to the release point.
// Every release keeps its marker. The editor sets the number before each stroke from
// its StepCounter (stepnumber.h), which follows the history.
class StepNumberTool final : public Tool {
public:
    using Tool::Tool;
    void setNumber(int number) { number_ = number; }
    int number() const { return number_; }

    void move(ToolContext& c, int buttons, QPointF at) override;
    StrokeEnd release(ToolContext& c, int button, QPointF at) override;

private:
    int number_ = 1;
};

std::unique_ptr<Tool> makeStepNumberTool(const ToolInfo& info);

} // namespace kv
