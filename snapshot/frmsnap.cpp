// The region editor FrmSnap: its window, overlays, selection, handles and history steps.
#include "snapshot/frmsnap.h"
#include "platform/colourvalue.h"

#include "platform/screenpointer.h"
#include "platform/units.h"
#include "platform/windowgone.h"
#include "snapshot/desktopcover.h"
#include "snapshot/optionbar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QtGlobal>

namespace kv {

namespace {

int buttonFlag(Qt::MouseButton b) {
    return int(b) & (kLeftButton | kRightButton | kMiddleButton);
}
int buttonFlags(Qt::MouseButtons b) {
    return int(b) & (kLeftButton | kRightButton | kMiddleButton);
}

QLabel* makeReadOut(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
    label->setPalette(pal);
    QFont f = label->font();
    f.setPixelSize(12);
    label->setFont(f);
    label->setContentsMargins(0, 0, 0, 0);
    label->adjustSize();
    label->hide();
    return label;
}

} // namespace

FrmSnap::FrmSnap(const FrmSnapServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(services) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QStringLiteral("Kolvane 区域截图"));
    surface.onScreenChanged = [this](const QRect& r) { update(r); };
    buildOverlays();
    buildToolArea();
}

FrmSnap::~FrmSnap() = default;

void FrmSnap::buildOverlays() {
    // Created from the bottom up: outline, read-outs, handles, then the bars and the
    // text box, which lie above everything else.
    Shape1 = new SelectionOutline(this);
    Shape1->hide();
    LblPos = makeReadOut(this, QStringLiteral("区域大小:宽*高"));
    lblInfo = makeReadOut(this, QStringLiteral("当前RGB:(0,0,0)"));
    LblHelp = makeReadOut(this, QStringLiteral("双击可以快速完成截图。"));
    LblKeys = makeReadOut(this, keysTip());
    for (int i = 0; i < kHandleCount; ++i) {
        auto* h = new HandleBox(i, this);
        h->onPress = [this](int index, QMouseEvent* e) {
            if (buttonFlag(e->button())) Image1_MouseDown(index);
        };
        // In the editor's own coordinates, the picture's pixels: where the window
        // system puts the editor's window (or windows) plays no part.
        h->onMove = [this, h](int index, QMouseEvent* e) {
            Image1_MouseMove(index, QPointF(h->mapTo(this, QPoint(0, 0))) + e->position());
        };
        h->onRelease = [this](int index, QMouseEvent* e) {
            if (buttonFlag(e->button())) Image1_MouseUp(index);
        };
        h->hide();
        Image1[std::size_t(i)] = h;
    }
    Picture1 = new ToolBarPanel(this);
    Picture1->hide();
    Picture2 = new QWidget(this);
    Picture2->setAutoFillBackground(true);
    QPalette pal = Picture2->palette();
    pal.setColor(QPalette::Window, QColor(222, 238, 255));
    Picture2->setPalette(pal);
    Picture2->resize(twips(3620), twips(560));
    Picture2->hide();
    TextEdit = new QLineEdit(this);
    TextEdit->hide();
}

// ---------------------------------------------------------------- window

void FrmSnap::Form_Load() {
    HideLoupe();
    keysUsed_ = false;
    copyNoticeOnly_ = false;
    static_cast<SnapState&>(*this) = SnapState{};
    optionBar->setOptions(toolOptions);

    Picture1->move(Picture1->x(), -Picture1->height());
    Picture1->hide();
    surface.setPersistent(true);
    setScreenPointer(Qt::CrossCursor);

    // The frozen picture of every monitor, taken while this window is not on the screen.
    // The monitors are asked now, so that one changed since the last opening counts.
    monitors_ = services_.screen ? services_.screen->monitors() : Monitors::single(QRect());
    ScreenGrab frozen = freezeDesktop(services_.screen, monitors_);
    freezeFailure_ = frozen.failure;
    const QImage& shot = frozen.image;
    markOpening(QStringLiteral("screen read"));
    setGeometry(QRect(QPoint(0, 0), shot.size()));
    surface.load(shot);
    history.start(surface.committed());
    Status = QStringLiteral("draw");
    markOpening(QStringLiteral("loaded"));
}

void FrmSnap::ShowEditor() {
    framePending_ = true;
    cover_.show(monitors_);
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    markOpening(QStringLiteral("shown"));
}

void FrmSnap::ShowAgain() {
    HideLoupe();
    Shape1->hide();
    hideReadOuts();
    hideHandles();
    Picture1->hide();
    Picture2->hide();
    TextEdit->hide();
    surface.setCommitted(surface.committed());
    ShowEditor();
}

void FrmSnap::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = surface.screen();
    for (const QRect& r : event->region())
        p.drawImage(r.topLeft(), shown, r);
    p.end();
    if (framePending_) {
        framePending_ = false;
        markOpening(QStringLiteral("painted"));
        // The backing store is flushed right after this returns; report once it is.
        QTimer::singleShot(0, this, [this] {
            syncWithDisplay(); // the frame has reached the X server
            markOpening(QStringLiteral("on screen"));
            emit firstFramePainted();
        });
    }
}

void FrmSnap::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        Form_KeyPress(27);
        return;
    }
    if (EditorKeyPress(event->key(), event->modifiers())) return;
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- mouse on the surface

// Only the left, right and middle buttons exist for the editor: a thumb button (back,
// forward) must neither throw a selection away nor, released, close the editor.
void FrmSnap::mousePressEvent(QMouseEvent* e) {
    if (!buttonFlag(e->button())) return;
    Form_MouseDown(buttonFlag(e->button()), float(e->position().x()), float(e->position().y()));
}

void FrmSnap::mouseMoveEvent(QMouseEvent* e) {
    Form_MouseMove(buttonFlags(e->buttons()), float(e->position().x()), float(e->position().y()));
}

void FrmSnap::mouseReleaseEvent(QMouseEvent* e) {
    if (!buttonFlag(e->button())) return;
    Form_MouseUp(buttonFlag(e->button()), float(e->position().x()), float(e->position().y()));
}

void FrmSnap::mouseDoubleClickEvent(QMouseEvent* e) {
    // The second press of a double click is the double click only, not another press.
    if (e->button() == Qt::LeftButton) Form_DblClick();
}

void FrmSnap::hideReadOuts() {
    LblPos->hide();
    lblInfo->hide();
    LblHelp->hide();
    LblKeys->hide();
}

void FrmSnap::showReadOuts() {
    LblPos->show();
    lblInfo->show();
    LblHelp->show();
    LblKeys->setVisible(keysTipFits());
}

// The keys' tip is a help, not a read-out: it shows only while it fits inside the
// selection, so it never covers the outline, the handles or the bars.
bool FrmSnap::keysTipFits() const {
    if (keysUsed_) return false;
    const SelBox& s = selection();
    const QRect inside(nearInt(s.left) + 1, nearInt(s.top) + 1, nearInt(s.width) - 2,
                       nearInt(s.height) - 2);
    return inside.contains(LblKeys->geometry());
}

void FrmSnap::hideHandles() {
    for (HandleBox* h : Image1)
        h->hide();
}

int FrmSnap::surfacePixel(float x, float y) const {
    const auto px = surface.pixel(nearInt(x), nearInt(y));
    if (!px) return -1;
    return ColourValueOf(*px);
}

void FrmSnap::Form_MouseDown(int button, float x, float y) {
    if (copyNoticeOnly_) {
        copyNoticeOnly_ = false;
        lblInfo->hide();
    }
    downX = x;
    downY = y;
    if (toolMode) {
        toolPress(button, x, y);
        return;
    }
    Picture1->hide();
    if (Status != QLatin1String("draw")) {
        setScreenPointer(Qt::CrossCursor);
        selRect = selRectOf(selection());
        if (!selRect.contains(nearInt(x), nearInt(y)) || button == kRightButton) {
            // Throw the selection away; the press point is the anchor of the next one.
            originX = x;
            originY = y;
            setSelection({x, y, 0, 0});
            Shape1->hide();
            hideReadOuts();
            hideHandles();
            resetScreenPointer();
            Status = QStringLiteral("draw");
            justCleared = 1;
        }
        return;
    }
    Shape1->show();
    originX = x;
    originY = y;
    setSelection({x, y, 0, 0});
    if (button == kRightButton) justCleared = 0;
}

void FrmSnap::Form_MouseMove(int button, float x, float y) {
    if (copyNoticeOnly_) {
        copyNoticeOnly_ = false;
        lblInfo->hide();
    }
    lblInfo->setText(colourText(surfacePixel(x, y)));
    lblInfo->adjustSize();
    if (toolMode) {
        toolMove(button, x, y);
        return;
    }
    setScreenPointer(strictlyInside(selection(), x, y) ? Qt::SizeAllCursor : Qt::CrossCursor);
    if (button != kLeftButton) return;
    Shape1->hide();
    hideReadOuts();
    if (Status != QLatin1String("draw")) {
        MoveDrag(x, y);
    } else {
        setSelection(rubberBand(selection(), originX, originY, x, y));
        ShowSelectionSize();
        setScreenPointer(Qt::CrossCursor);
    }
    ImageMove();
    Shape1->show();
    showReadOuts();
    // Dragging out a selection, not moving one.
    if (Status == QLatin1String("draw")) ShowLoupe(QPoint(nearInt(x), nearInt(y)));
}

void FrmSnap::Form_MouseUp(int button, float x, float y) {
    HideLoupe();
    if (drawing) toolRelease(button, x, y);
    if (button != kLeftButton) {
        if (justCleared == 0) CloseEditor();
        return;
    }
    if (Status == QLatin1String("draw")) Status = QStringLiteral("move");
    originX = selection().left;
    originY = selection().top;
    PlaceToolBar();
}

void FrmSnap::StackReadOuts() {
    const SelBox& s = selection();
    LblPos->move(nearInt(s.left + 2), nearInt(s.top + 2));
    lblInfo->move(nearInt(s.left + 2), LblPos->y() + LblPos->height() + 2);
    LblHelp->move(nearInt(s.left + 2), lblInfo->y() + lblInfo->height() + 2);
    LblKeys->move(nearInt(s.left + 2), LblHelp->y() + LblHelp->height() + 2);
    if (LblHelp->isVisible()) LblKeys->setVisible(keysTipFits());
}

void FrmSnap::PlaceToolBar() {
    const QPointF at = placeToolBar(selection(), QSizeF(Picture1->width(), Picture1->height()),
                                    selectionMonitor());
    Picture1->move(nearInt(at.x()), nearInt(at.y()));
    Picture1->show();
    Picture1->raise();
}

} // namespace kv
