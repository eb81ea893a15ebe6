// Drawing on the region: strokes handed to the armed tool, the text box and the
// history they commit to.
#include "snapshot/strokesession.h"

#include "platform/units.h"
#include "snapshot/optionbar_layout.h"
#include "snapshot/stepnumbertool.h"
#include "snapshot/textbox.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/tools.h"
#include "snapshot/tooltable.h"

#include <QFontMetrics>

namespace kv {

StrokeSession::StrokeSession(Surface& surface, History& history, EditorView& view,
                             const Monitors& monitors, const QFont& textFont)
    : surface_(surface), history_(history), view_(view), monitors_(monitors), baseFont_(textFont) {
    for (const ToolInfo& t : toolTable())
        tools_[std::size_t(t.kind) - 1] = t.make(t);
    view_.textBox.font = this->textFont(kDefaultFontSize);
}

void StrokeSession::reset() {
    options_ = ToolOptions{};
    toolMode_ = false;
    toolKind_ = ToolKind::None;
    lastToolIndex_ = 0;
    drawing_ = false;
    steps_.restart();
}

Tool* StrokeSession::armedTool() const {
    return toolKind_ == ToolKind::None ? nullptr : tools_[std::size_t(toolKind_) - 1].get();
}

ToolContext StrokeSession::context() {
    const SelBox& s = view_.selection;
    return {surface_, options_, QRectF(s.left, s.top, s.width, s.height), view_.textBox.open};
}

QFont StrokeSession::textFont(float points) const {
    QFont font = baseFont_;
    font.setPixelSize(fontPixelSize(points));
    return font;
}

// ---------------------------------------------------------------- arming

void StrokeSession::placeOptionBar() {
    const QRectF toolBar(QPointF(view_.toolBarPos), QSizeF(kToolBarWidth, kToolBarHeight));
    const QPointF at = optionBarPosition(toolBar, kOptionBarHeight,
                                         QRectF(barMonitor(view_.selection, monitors_)));
    view_.optionBarPos = QPoint(nearInt(at.x()), nearInt(at.y()));
}

void StrokeSession::arm(int index) {
    const ToolKind tool = toolOfButton(index);
    if (tool == ToolKind::None) return;
    // Typed text is drawn before another drawing tool takes over.
    if (tool != ToolKind::Text && view_.textBox.open) drawText();
    placeOptionBar();
    view_.optionBarTool = tool;
    ++view_.optionBarArranged;
    if (!view_.optionBarShown) {
        view_.optionBarShown = true;
        ++view_.optionBarRaised;
    } else if (index == lastToolIndex_) {
        // The armed tool's button again closes its options, and with them the tool.
        view_.optionBarShown = false;
    }
    toolMode_ = true;
    toolKind_ = tool;
}

// ---------------------------------------------------------------- strokes

void StrokeSession::press(float x, float y) {
    Tool* tool = armedTool();
    if (!tool) return;
    if (toolKind_ == ToolKind::StepNumber)
        static_cast<StepNumberTool*>(tool)->setNumber(steps_.next(history_.count()));
    ToolContext c = context();
    if (tool->press(c, QPointF(x, y))) drawing_ = true;
}

void StrokeSession::move(int buttons, float x, float y) {
    view_.pointer = Qt::ArrowCursor;
    ++view_.pointerSet;
    Tool* tool = armedTool();
    // A tool whose options were closed draws nothing.
    if (!drawing_ || !tool || !view_.optionBarShown) return;
    ToolContext c = context();
    tool->move(c, buttons, QPointF(x, y));
}

void StrokeSession::release(int button, float x, float y) {
    surface_.setPersistent(true);
    Tool* tool = armedTool();
    if (!view_.optionBarShown || !tool) {
        // A tool whose options were closed draws nothing, and its stroke is over: left
        // open, the next bare move would preview a figure from this press and a press
        // anywhere, even outside the selection, would commit one. Only an open text box
        // keeps its stroke, to be drawn later.
        if (!view_.textBox.open) drawing_ = false;
        return;
    }
    ToolContext c = context();
    switch (tool->release(c, button, QPointF(x, y))) {
    case StrokeEnd::Dropped:
        drawing_ = false;
        break;
    case StrokeEnd::Commit:
        drawing_ = false;
        commit();
        break;
    case StrokeEnd::OpenTextBox:
        openTextBox(nearInt(x), nearInt(y));
        break;
    case StrokeEnd::DrawText:
        styleTextBox();
        drawText();
        break;
    }
}

// ---------------------------------------------------------------- text box

void StrokeSession::styleTextBox() {
    view_.textBox.colour = options_.colour;
    view_.textBox.font = textFont(options_.fontSize);
}

void StrokeSession::openTextBox(int x, int y) {
    styleTextBox();
    TextBoxView& box = view_.textBox;
    // A new box starts empty: text still in a box that was closed without being drawn
    // (a double click, reopening a finished editor) has been dropped.
    box.text.clear();
    box.pos = QPoint(x, y);
    box.width = 25;
    box.height = QFontMetrics(box.font).height() + 4;
    box.open = true;
    ++box.opened;
}

void StrokeSession::textChanged(const QString& text) {
    TextBoxView& box = view_.textBox;
    box.text = text;
    box.width = grownTextBoxWidth(box.width, QFontMetrics(box.font).horizontalAdvance(text));
}

void StrokeSession::drawText() {
    TextBoxView& box = view_.textBox;
    const QString text = box.text;
    if (!text.isEmpty()) {
        // Text always goes into the picture itself.
        surface_.setPersistent(true);
        paintTextLine(surface_, box.pos, text, box.font, options_.colour);
    }
    box.open = false;
    box.text.clear();
    // Keys go back to the editor, not to whichever box is next in line.
    ++box.closed;
    drawing_ = false;
    // An empty box is only closed.
    if (!text.isEmpty()) commit();
}

// ---------------------------------------------------------------- history

void StrokeSession::commit() {
    surface_.commit();
    history_.push(surface_.committed());
    steps_.pushed(history_.count(), toolKind_ == ToolKind::StepNumber);
}

void StrokeSession::undoStep() {
    // The surface lets go of its pictures so the history can step in place; it gets
    // the new picture straight back.
    surface_.release();
    surface_.setCommitted(*history_.undo());
}

void StrokeSession::redo() {
    if (history_.count() >= history_.top()) {
        history_.redo();
        return;
    }
    surface_.release();
    surface_.setCommitted(*history_.redo());
}

} // namespace kv
