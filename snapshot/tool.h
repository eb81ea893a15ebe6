#pragma once

#include "snapshot/toolkind.h"
#include "snapshot/tooloptions.h"

#include <QPointF>
#include <QRectF>
#include <memory>

namespace kv {

class Surface;

// Mouse buttons as flag sets: left 1, right 2, middle 4.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

// What a tool works against while a stroke goes on.
struct ToolContext {
    Surface& surface;
    const ToolOptions& options;
    QRectF selection;         // left, top, width, height; figures end on its border
    bool textBoxOpen = false; // the text tool's box shows typed text
};

// How a release ends a stroke; the editor does what needs the window.
enum class StrokeEnd {
    Dropped,     // over; nothing is kept (a figure without extent stays until the next clear)
    Commit,      // over; the working image becomes a step of the history
    OpenTextBox, // the text box opens at the release point; the stroke goes on
    DrawText,    // the open text box's text is drawn and committed
};

// A drawing tool: what a press, a move and a release inside the selection draw.
// Presses start previews on the screen only; a release draws into the working image.
class Tool {
public:
    explicit Tool(const ToolInfo& info) : info_(info) {}
    virtual ~Tool() = default;
    ToolKind kind() const { return info_.kind; }
    // Its row of the tool table.
    const ToolInfo& info() const { return info_; }

    // Starts a stroke at `at` when it lies strictly inside the selection (its outline
    // does not count); false when nothing starts.
    bool press(ToolContext& c, QPointF at);
    // `buttons`: the buttons held during the move.
    virtual void move(ToolContext& c, int buttons, QPointF at) = 0;
    // `button`: the button released. The surface is in persistent mode.
    virtual StrokeEnd release(ToolContext& c, int button, QPointF at) = 0;

    // Where the stroke started; for the brush, the point it last painted to.
    QPointF start() const { return start_; }

protected:
    // The width the tool draws with: its remembered pen size.
    int penWidth(const ToolContext& c) const { return c.options.penWidth(info_.penSlot); }

    const ToolInfo& info_;
    QPointF start_;
};

} // namespace kv
