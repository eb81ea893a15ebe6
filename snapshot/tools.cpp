// The five drawing tools: three figures drawn from the press to the pointer, the brush
// and the text tool.
#include "snapshot/tools.h"

#include "platform/units.h"
#include "snapshot/arrow.h"
#include "snapshot/strokes.h"
#include "snapshot/surface.h"

#include <QFontMetrics>

namespace kv {

namespace {

// The area a figure between `a` and `b` can touch with `reach` pixels of pen or head
// around it: what has to be shown again after it was drawn.
QRect strokeBounds(QPointF a, QPointF b, int reach) {
    const int m = reach + 2;
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-m, -m, m, m);
}

// A figure from the press to the pointer, which is held to the selection. Each move
// shows it anew on the screen only; the release draws it into the working image, and
// keeps it when it has extent.
class FigureTool : public Tool {
public:
    using Tool::Tool;
    void move(ToolContext& c, int, QPointF at) override {
        c.surface.clear();
        draw(c, clipToSelection(c.selection, at));
    }
    StrokeEnd release(ToolContext& c, int, QPointF at) override {
        const QPointF end = clipToSelection(c.selection, at);
        c.surface.clear();
        draw(c, end);
        // A figure without extent is shown but not kept: the next clear removes it.
        const bool extent =
            float(start_.x()) != float(end.x()) || float(start_.y()) != float(end.y());
        return extent ? StrokeEnd::Commit : StrokeEnd::Dropped;
    }

protected:
    virtual void draw(ToolContext& c, QPointF end) = 0;
};

class ArrowTool final : public FigureTool {
public:
    using FigureTool::FigureTool;

protected:
    void draw(ToolContext& c, QPointF end) override {
        Arrow(c.surface, float(start_.x()), float(start_.y()), float(end.x()), float(end.y()),
              kArrowHeadLength, c.options.colour);
    }
};

class EllipseTool final : public FigureTool {
public:
    using FigureTool::FigureTool;

protected:
    void draw(ToolContext& c, QPointF end) override {
        const int width = penWidth(c);
        const QColor colour = c.options.colour;
        // The bounding box's corners are whole pixels.
        const QPoint a(nearInt(start_.x()), nearInt(start_.y())),
            b(nearInt(end.x()), nearInt(end.y()));
        c.surface.paint([&](QPainter& p) { drawEllipseStroke(p, a, b, width, colour); },
                        strokeBounds(a, b, width));
    }
};

class RectangleTool final : public FigureTool {
public:
    using FigureTool::FigureTool;

protected:
    void draw(ToolContext& c, QPointF end) override {
        const int width = penWidth(c);
        const QColor colour = c.options.colour;
        const QPointF start = start_;
        c.surface.paint([&](QPainter& p) { drawRectangleStroke(p, start, end, width, colour); },
                        strokeBounds(start, end, width));
    }
};

// Segments from point to point while the left button is held, straight into the
// working image, where they add up. The brush is not held to the selection.
class BrushTool final : public Tool {
public:
    using Tool::Tool;
    void move(ToolContext& c, int buttons, QPointF at) override {
        if (buttons != kLeftButton) return;
        c.surface.setPersistent(true);
        const int width = penWidth(c);
        const QColor colour = c.options.colour;
        const QPointF from = start_;
        c.surface.paint([&](QPainter& p) { drawBrushSegment(p, from, at, width, colour); },
                        strokeBounds(from, at, width));
        start_ = at;
    }
    StrokeEnd release(ToolContext& c, int button, QPointF) override {
        // Only the left button paints with the brush, so only its release keeps a stroke.
        if (button != kLeftButton) return StrokeEnd::Dropped;
        c.surface.setPersistent(false);
        return StrokeEnd::Commit;
    }
};

// The first release opens the text box at the release point; the next one, with the
// box open, draws what was typed.
class TextTool final : public Tool {
public:
    using Tool::Tool;
    void move(ToolContext&, int, QPointF) override {}
    StrokeEnd release(ToolContext& c, int, QPointF) override {
        c.surface.clear();
        return c.textBoxOpen ? StrokeEnd::DrawText : StrokeEnd::OpenTextBox;
    }
};

} // namespace

std::unique_ptr<Tool> makeArrowTool(const ToolInfo& info) {
    return std::make_unique<ArrowTool>(info);
}
std::unique_ptr<Tool> makeTextTool(const ToolInfo& info) {
    return std::make_unique<TextTool>(info);
}
std::unique_ptr<Tool> makeEllipseTool(const ToolInfo& info) {
    return std::make_unique<EllipseTool>(info);
}
std::unique_ptr<Tool> makeRectangleTool(const ToolInfo& info) {
    return std::make_unique<RectangleTool>(info);
}
std::unique_ptr<Tool> makeBrushTool(const ToolInfo& info) {
    return std::make_unique<BrushTool>(info);
}

void Arrow(Surface& Pic, float x0, float y0, float X1, float Y1, float ArrowLen,
           const QColor& color) {
    Pic.paint([&](QPainter& p) { drawArrow(p, x0, y0, X1, Y1, ArrowLen, color); },
              strokeBounds(QPointF(x0, y0), QPointF(X1, Y1), int(ArrowLen) + 2));
}

void paintTextLine(Surface& surface, QPoint at, const QString& text, const QFont& font,
                   const QColor& colour) {
    const QFontMetrics metrics(font);
    const QRect bounds(
        at, QSize(metrics.horizontalAdvance(text) + metrics.height(), metrics.height() + 2));
    surface.paint(
        [&](QPainter& p) {
            p.setFont(font);
            p.setPen(colour);
            p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
        },
        bounds.adjusted(-2, -2, 2, 2));
}

} // namespace kv
