// The mosaic tool. Each move shows the mosaic of the rectangle from the press to the
// pointer on the screen only; the release draws it into the working image and keeps it
// when it covers anything.
#include "snapshot/mosaictool.h"

#include "snapshot/markstrokes.h"

namespace kv {

namespace {

class MosaicTool final : public Tool {
public:
    using Tool::Tool;
    void move(ToolContext& c, int, QPointF at) override {
        paintMosaicStroke(c.surface, c.selection, start_, at, blockSize(c));
    }
    StrokeEnd release(ToolContext& c, int, QPointF at) override {
        const QRect area = paintMosaicStroke(c.surface, c.selection, start_, at, blockSize(c));
        return area.isEmpty() ? StrokeEnd::Dropped : StrokeEnd::Commit;
    }

private:
    int blockSize(const ToolContext& c) const {
        return mosaicBlockSizeOf(c.options.penSize(info_.penSlot));
    }
};

} // namespace

std::unique_ptr<Tool> makeMosaicTool(const ToolInfo& info) {
    return std::make_unique<MosaicTool>(info);
}

} // namespace kv
