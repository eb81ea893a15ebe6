#pragma once

// The mosaic tool: a dragged rectangle covered with blocks made from its surroundings.
#include "snapshot/tool.h"

namespace kv {

// Its block size is the size button remembered in its pen slot (mosaicBlockSizeOf).
std::unique_ptr<Tool> makeMosaicTool(const ToolInfo& info);

} // namespace kv
