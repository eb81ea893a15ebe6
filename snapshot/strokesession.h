#pragma once

// Drawing on the region: which tool is armed, its strokes, the text box and the
// commits they make to the history.
#include "platform/monitors.h"
#include "snapshot/editorview.h"
#include "snapshot/history.h"
#include "snapshot/stepnumber.h"
#include "snapshot/surface.h"
#include "snapshot/tool.h"
#include "snapshot/tooloptions.h"

#include <QFont>
#include <array>
#include <memory>

namespace kv {

class StrokeSession {
public:
    StrokeSession(Surface& surface, History& history, EditorView& view, const Monitors& monitors,
                  const QFont& textFont);

    // As a new editor starts: no tool, the first options.
    void reset();

    const ToolOptions& options() const { return options_; }
    void setOptions(const ToolOptions& options) { options_ = options; }
    // Presses draw instead of selecting.
    bool toolMode() const { return toolMode_; }
    void setToolMode(bool on) { toolMode_ = on; }
    ToolKind toolKind() const { return toolKind_; }
    // The tool-bar button clicked last.
    int lastToolIndex() const { return lastToolIndex_; }
    void setLastToolIndex(int index) { lastToolIndex_ = index; }
    // A stroke is in progress.
    bool drawing() const { return drawing_; }
    // The tool toolKind names; nullptr while none is armed.
    Tool* armedTool() const;

    // A click on a drawing tool's button: draws typed text, then opens, keeps or closes
    // the tool's option bar and arms the tool.
    void arm(int index);
    // The option bar 3 pixels below the tool bar, or above it near the monitor's bottom.
    void placeOptionBar();

    // A stroke of the armed tool: started by a press strictly inside the selection,
    // previewed by moves, ended by the release.
    void press(float x, float y);
    void move(int buttons, float x, float y);
    void release(int button, float x, float y);

    // ---- the text box ----
    void openTextBox(int x, int y);
    // Colour and font from the options.
    void styleTextBox();
    // Draws the box's text into the picture and commits it; an empty box just closes.
    void drawText();
    void textChanged(const QString& text);
    // The font text of `points` points is typed and drawn in.
    QFont textFont(float points) const;

    // ---- history ----
    // The working image becomes the committed picture and is pushed onto the history.
    void commit();
    // A step back that stays above the snapshot (the caller handles leaving drawing).
    void undoStep();
    void redo();

private:
    ToolContext context();

    Surface& surface_;
    History& history_;
    EditorView& view_;
    const Monitors& monitors_;
    QFont baseFont_;
    std::array<std::unique_ptr<Tool>, kToolCount> tools_; // one per ToolKind, Arrow first
    ToolOptions options_;
    bool toolMode_ = false;
    ToolKind toolKind_ = ToolKind::None;
    int lastToolIndex_ = 0;
    bool drawing_ = false;
    // Numbers the step markers by the history shown.
    StepCounter steps_;
};

} // namespace kv
