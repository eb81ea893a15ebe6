#pragma once

#include "snapshot/tool.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>

namespace kv {

// The five drawing tools, each made through the tool table.
std::unique_ptr<Tool> makeArrowTool(const ToolInfo& info);
std::unique_ptr<Tool> makeTextTool(const ToolInfo& info);
std::unique_ptr<Tool> makeEllipseTool(const ToolInfo& info);
std::unique_ptr<Tool> makeRectangleTool(const ToolInfo& info);
std::unique_ptr<Tool> makeBrushTool(const ToolInfo& info);

// An arrow from the tail (x0, y0) to the tip (X1, Y1) with a head `ArrowLen` long, on
// the surface drawn on now.
void Arrow(Surface& Pic, float x0, float y0, float X1, float Y1, float ArrowLen,
           const QColor& color);

// One line of `text` whose top edge is at `at`, on no background, on the surface
// drawn on now: how typed text goes into the picture.
void paintTextLine(Surface& surface, QPoint at, const QString& text, const QFont& font,
                   const QColor& colour);

} // namespace kv
