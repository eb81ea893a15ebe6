// Drawing on the region: the strokes of the five tools, the text box, and what the
// tool bar's buttons do.
#include "snapshot/frmsnap.h"

#include "platform/screenpointer.h"
#include "platform/units.h"
#include "snapshot/arrow.h"
#include "snapshot/optionbar.h"
#include "snapshot/optionbar_layout.h"
#include "snapshot/strokes.h"
#include "snapshot/textbox.h"
#include "snapshot/toolbar.h"

#include <QFontMetrics>

namespace kv {

namespace {

QRectF selectionRect(const SelBox& s) {
    return QRectF(s.left, s.top, s.width, s.height);
}

// The area a figure between `a` and `b` can touch with `reach` pixels of pen or head
// around it: what has to be shown again after it was drawn.
QRect strokeBounds(QPointF a, QPointF b, int reach) {
    const int m = reach + 2;
    return QRectF(a, b).normalized().toAlignedRect().adjusted(-m, -m, m, m);
}

// The text box shows its text in the colour it will be drawn in, over a light, dashed
// frame that marks the box on any picture.
QString textBoxStyle(const QColor& colour) {
    return QStringLiteral("QLineEdit { border: 1px dashed rgb(36, 143, 251); padding: 0px;"
                          " background: rgba(255, 255, 255, 170); color: %1; }")
        .arg(colour.name());
}

} // namespace

void FrmSnap::buildToolArea() {
    toolBar = new ToolBar(Picture1);
    connect(toolBar, &ToolBar::Image2_Click, this, [this](int index) { Image2_Click(index); });
    optionBar = new OptionBar(Picture2, penIndex.data());
    TextEdit->setStyleSheet(textBoxStyle(optionBar->currentColour()));
    TextEdit->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TextEdit->setFont(textFont(kDefaultFontSize));
    connect(TextEdit, &QLineEdit::textChanged, this, [this] { TextEdit_Change(); });
}

QColor FrmSnap::currentColour() const {
    return optionBar->currentColour();
}

QFont FrmSnap::textFont(float points) const {
    QFont font = TextEdit->font();
    font.setPixelSize(fontPixelSize(points));
    return font;
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
    default: {
        const ToolKind tool = toolOfButton(index);
        // Typed text is drawn before another drawing tool takes over.
        if (index != kTextButton && !TextEdit->isHidden()) DrawStr();
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
        break;
    }
    }
    lastToolIndex = index;
}

// ---------------------------------------------------------------- strokes

void FrmSnap::toolPress(int, float x, float y) {
    selRect = selRectOf(selection());
    // Only the inside counts: a press on the outline or beyond it draws nothing.
    if (!strictlyInside(selectionRect(selection()), QPointF(x, y))) return;
    drawing = true;
    SetPersistent(false);
    startX = x;
    startY = y;
}

void FrmSnap::toolMove(int button, float x, float y) {
    setScreenPointer(Qt::ArrowCursor);
    if (!drawing) return;
    const QPointF end = clipToSelection(selectionRect(selection()), QPointF(x, y));
    // A tool whose options were closed draws nothing.
    if (Picture2->isHidden()) return;
    const QColor colour = currentColour();
    // Previews go to the screen only; each clear takes the previous one away.
    if (drawFigure(end, colour)) return;
    if (toolKind == ToolKind::Brush && button == kLeftButton) {
        // Brush segments go straight into the working image and add up; the brush is
        // not held to the selection.
        SetPersistent(true);
        const int width = penWidthOf(penIndex[2]);
        DrawWidth = width;
        const QPointF start(startX, startY), to(x, y);
        PaintSurface([&](QPainter& p) { drawBrushSegment(p, start, to, width, colour); },
                     strokeBounds(start, to, width));
        startX = x;
        startY = y;
    }
}

bool FrmSnap::drawFigure(QPointF end, const QColor& colour) {
    const QPointF start(startX, startY);
    if (toolKind == ToolKind::Arrow) {
        ClearSurface();
        Arrow(startX, startY, float(end.x()), float(end.y()), kArrowHeadLength, colour);
    } else if (toolKind == ToolKind::Ellipse) {
        ClearSurface();
        const int width = penWidthOf(penIndex[0]);
        const QPoint a(nearInt(startX), nearInt(startY)), b(nearInt(end.x()), nearInt(end.y()));
        PaintSurface([&](QPainter& p) { drawEllipseStroke(p, a, b, width, colour); },
                     strokeBounds(a, b, width));
    } else if (toolKind == ToolKind::Rectangle) {
        ClearSurface();
        const int width = penWidthOf(penIndex[1]);
        PaintSurface([&](QPainter& p) { drawRectangleStroke(p, start, end, width, colour); },
                     strokeBounds(start, end, width));
    } else {
        return false;
    }
    return true;
}

void FrmSnap::toolRelease(int button, float x, float y) {
    SetPersistent(true);
    const QPointF end = clipToSelection(selectionRect(selection()), QPointF(x, y));
    if (Picture2->isHidden()) {
        // A tool whose options were closed draws nothing, and its stroke is over: left
        // open, the next bare move would preview a figure from this press and a press
        // anywhere, even outside the selection, would commit one. Only an open text box
        // keeps its stroke, to be drawn later.
        if (TextEdit->isHidden()) drawing = false;
        return;
    }
    const QColor colour = currentColour();
    // A figure without extent is shown but not kept: the next figure's clear removes it.
    const bool extent = startX != float(end.x()) || startY != float(end.y());
    if (drawFigure(end, colour)) {
        drawing = false;
        if (extent) Commit();
    } else if (toolKind == ToolKind::Text) {
        ClearSurface();
        TextEdit->setStyleSheet(textBoxStyle(colour));
        TextEdit->setFont(textFont(optionBar->fontSize()));
        if (!TextEdit->isHidden()) {
            DrawStr();
        } else {
            // A new box starts empty: text still in a box that was closed without being
            // drawn (a double click, reopening a finished editor) has been dropped.
            TextEdit->clear();
            TextEdit->setGeometry(nearInt(x), nearInt(y), 25,
                                  QFontMetrics(TextEdit->font()).height() + 4);
            TextEdit->show();
            TextEdit->raise();
            TextEdit->setFocus();
        }
    } else if (toolKind == ToolKind::Brush) {
        drawing = false;
        // Only the left button paints with the brush, so only its release keeps a stroke.
        if (button == kLeftButton) {
            Commit();
            SetPersistent(false);
        }
    }
}

// ---------------------------------------------------------------- arrow and text

void FrmSnap::Arrow(float x0, float y0, float X1, float Y1, float ArrowLen, const QColor& color) {
    PaintSurface([&](QPainter& p) { drawArrow(p, x0, y0, X1, Y1, ArrowLen, color); },
                 strokeBounds(QPointF(x0, y0), QPointF(X1, Y1), int(ArrowLen) + 2));
}

void FrmSnap::TextEdit_Change() {
    const int textWidth = QFontMetrics(TextEdit->font()).horizontalAdvance(TextEdit->text());
    TextEdit->resize(grownTextBoxWidth(TextEdit->width(), textWidth), TextEdit->height());
}

void FrmSnap::DrawStr() {
    const QString text = TextEdit->text();
    if (text.isEmpty()) {
        TextEdit->hide();
        setFocus();
        drawing = false;
        return;
    }
    // Text always goes into the picture itself.
    SetPersistent(true);
    const QFont font = TextEdit->font();
    const QFontMetrics metrics(font);
    const QPoint at(TextEdit->x(), TextEdit->y());
    const QColor colour = currentColour();
    const QRect bounds(
        at, QSize(metrics.horizontalAdvance(text) + metrics.height(), metrics.height() + 2));
    PaintSurface(
        [&](QPainter& p) {
            p.setFont(font);
            p.setPen(colour);
            // One line whose top edge is the box's top edge, on no background.
            p.drawText(QPointF(at.x(), at.y() + metrics.ascent()), text);
        },
        bounds.adjusted(-2, -2, 2, 2));
    TextEdit->hide();
    TextEdit->clear();
    // Keys go back to the editor, not to whichever box is next in line.
    setFocus();
    drawing = false;
    Commit();
}

} // namespace kv
