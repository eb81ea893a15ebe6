// Drawing on the region: strokes handed to the armed tool, the text box, what the
// tool bar's buttons do and the history they commit to.
#include "snapshot/frmsnap.h"

#include "platform/screenpointer.h"
#include "platform/units.h"
#include "snapshot/optionbar.h"
#include "snapshot/optionbar_layout.h"
#include "snapshot/textbox.h"
#include "snapshot/toolbar.h"
#include "snapshot/tools.h"
#include "snapshot/tooltable.h"

#include <QFontMetrics>

namespace kv {

namespace {

// The text box shows its text in the colour it will be drawn in, over a light, dashed
// frame that marks the box on any picture.
QString textBoxStyle(const QColor& colour) {
    return QStringLiteral("QLineEdit { border: 1px dashed rgb(36, 143, 251); padding: 0px;"
                          " background: rgba(255, 255, 255, 170); color: %1; }")
        .arg(colour.name());
}

} // namespace

void FrmSnap::buildToolArea() {
    for (const ToolInfo& t : toolTable())
        tools_[std::size_t(t.kind) - 1] = t.make(t);
    toolBar = new ToolBar(Picture1);
    connect(toolBar, &ToolBar::Image2_Click, this, [this](int index) { Image2_Click(index); });
    optionBar = new OptionBar(Picture2, toolOptions);
    connect(optionBar, &OptionBar::optionsChanged, this,
            [this](const ToolOptions& options) { toolOptions = options; });
    TextEdit->setStyleSheet(textBoxStyle(currentColour()));
    TextEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TextEdit->setFont(textFont(kDefaultFontSize));
    connect(TextEdit, &QLineEdit::textChanged, this, [this] { TextEdit_Change(); });
}

QColor FrmSnap::currentColour() const {
    return toolOptions.colour;
}

QFont FrmSnap::textFont(float points) const {
    QFont font = TextEdit->font();
    font.setPixelSize(fontPixelSize(points));
    return font;
}

Tool* FrmSnap::armedTool() const {
    return toolKind == ToolKind::None ? nullptr : tools_[std::size_t(toolKind) - 1].get();
}

ToolContext FrmSnap::toolContext() {
    const SelBox& s = selection();
    return {surface, toolOptions, QRectF(s.left, s.top, s.width, s.height), !TextEdit->isHidden()};
}

// ---------------------------------------------------------------- tool bar

void FrmSnap::PlaceOptionBar() {
    const QPointF at = optionBarPosition(QRectF(Picture1->geometry()), kOptionBarHeight,
                                         QRectF(selectionMonitor()));
    Picture2->move(nearInt(at.x()), nearInt(at.y()));
}

void FrmSnap::Image2_Click(int index) {
    switch (index) {
    case kUndoButton:
        Undo();
        break;
    case kRedoButton:
        Redo();
        break;
    case kFinishButton:
    case kSaveButton:
        FinishRegion();
        break;
    case kExitButton:
        lastToolIndex = index;
        // The editor unloads itself here; nothing of it is touched afterwards.
        CloseEditor();
        return;
    default:
        ArmTool(index);
        break;
    }
    lastToolIndex = index;
}

void FrmSnap::ArmTool(int index) {
    const ToolKind tool = toolOfButton(index);
    if (tool == ToolKind::None) return;
    // Typed text is drawn before another drawing tool takes over.
    if (tool != ToolKind::Text && !TextEdit->isHidden()) DrawStr();
    PlaceOptionBar();
    optionBar->arrangeFor(tool);
    if (Picture2->isHidden()) {
        Picture2->show();
        Picture2->raise();
    } else if (index == lastToolIndex) {
        // The armed tool's button again closes its options, and with them the tool.
        Picture2->hide();
    }
    toolMode = true;
    toolKind = tool;
}

// ---------------------------------------------------------------- strokes

void FrmSnap::toolPress(int, float x, float y) {
    selRect = selRectOf(selection());
    Tool* tool = armedTool();
    if (!tool) return;
    ToolContext c = toolContext();
    if (tool->press(c, QPointF(x, y))) drawing = true;
}

void FrmSnap::toolMove(int button, float x, float y) {
    setScreenPointer(Qt::ArrowCursor);
    Tool* tool = armedTool();
    // A tool whose options were closed draws nothing.
    if (!drawing || !tool || Picture2->isHidden()) return;
    ToolContext c = toolContext();
    tool->move(c, button, QPointF(x, y));
}

void FrmSnap::toolRelease(int button, float x, float y) {
    SetPersistent(true);
    Tool* tool = armedTool();
    if (Picture2->isHidden() || !tool) {
        // A tool whose options were closed draws nothing, and its stroke is over: left
        // open, the next bare move would preview a figure from this press and a press
        // anywhere, even outside the selection, would commit one. Only an open text box
        // keeps its stroke, to be drawn later.
        if (TextEdit->isHidden()) drawing = false;
        return;
    }
    ToolContext c = toolContext();
    switch (tool->release(c, button, QPointF(x, y))) {
    case StrokeEnd::Dropped:
        drawing = false;
        break;
    case StrokeEnd::Commit:
        drawing = false;
        Commit();
        break;
    case StrokeEnd::OpenTextBox:
        OpenTextEdit(nearInt(x), nearInt(y));
        break;
    case StrokeEnd::DrawText:
        StyleTextEdit();
        DrawStr();
        break;
    }
}

// ---------------------------------------------------------------- text box

void FrmSnap::StyleTextEdit() {
    TextEdit->setStyleSheet(textBoxStyle(currentColour()));
    TextEdit->setFont(textFont(toolOptions.fontSize));
}

void FrmSnap::OpenTextEdit(int x, int y) {
    StyleTextEdit();
    // A new box starts empty: text still in a box that was closed without being drawn
    // (a double click, reopening a finished editor) has been dropped.
    TextEdit->clear();
    TextEdit->setGeometry(x, y, 25, QFontMetrics(TextEdit->font()).height() + 4);
    TextEdit->show();
    TextEdit->raise();
    TextEdit->setFocus();
}

void FrmSnap::TextEdit_Change() {
    const int textWidth = QFontMetrics(TextEdit->font()).horizontalAdvance(TextEdit->text());
    TextEdit->resize(grownTextBoxWidth(TextEdit->width(), textWidth), TextEdit->height());
}

void FrmSnap::DrawStr() {
    const QString text = TextEdit->text();
    if (!text.isEmpty()) {
        // Text always goes into the picture itself.
        SetPersistent(true);
        paintTextLine(surface, TextEdit->pos(), text, TextEdit->font(), currentColour());
    }
    TextEdit->hide();
    TextEdit->clear();
    // Keys go back to the editor, not to whichever box is next in line.
    setFocus();
    drawing = false;
    // An empty box is only closed.
    if (!text.isEmpty()) Commit();
}

// ---------------------------------------------------------------- history

void FrmSnap::Commit() {
    surface.commit();
    history.push(surface.committed());
}

void FrmSnap::Undo() {
    if (historyCount() < 2) {
        history.undo();
        BackToSelecting();
        return;
    }
    // The surface lets go of its pictures so the history can step in place; it gets
    // the new picture straight back.
    surface.release();
    surface.setCommitted(*history.undo());
}

void FrmSnap::BackToSelecting() {
    Status = QStringLiteral("draw");
    Shape1->hide();
    Picture1->hide();
    Picture2->hide();
    hideReadOuts();
    const SelBox s = selection();
    setSelection({s.left, s.top, 0, 0});
    hideHandles();
    toolMode = false;
}

void FrmSnap::Redo() {
    if (historyCount() >= historyTop()) {
        history.redo();
        return;
    }
    surface.release();
    surface.setCommitted(*history.redo());
}

} // namespace kv
