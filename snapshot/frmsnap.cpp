// The region editor FrmSnap: its window, its overlay widgets and the events it hands
// to the editor session.
#include "snapshot/frmsnap.h"

#include "platform/screenpointer.h"
#include "platform/units.h"
#include "platform/windowgone.h"
#include "snapshot/desktopcover.h"
#include "snapshot/optionbar.h"
#include "snapshot/secondbar.h"
#include "snapshot/toolbar.h"

#include <QApplication>
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

} // namespace

FrmSnap::FrmSnap(const FrmSnapServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), services_(services),
      session_(*this, QApplication::font("QLineEdit")), widgets_(this, session_, keysTip()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QStringLiteral("Kolvane 区域截图"));
    session_.surface().onScreenChanged = [this](const QRect& r) { update(r); };
    connectWidgets();
}

FrmSnap::~FrmSnap() = default;

void FrmSnap::connectWidgets() {
    for (HandleBox* h : widgets_.handles()) {
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
    }
    connect(widgets_.toolBar(), &ToolBar::Image2_Click, this,
            [this](int index) { Image2_Click(index); });
    connect(widgets_.secondBar(), &SecondBar::clicked, this,
            [this](int index) { Image2_Click(index); });
    connect(widgets_.optionBar(), &OptionBar::optionsChanged, this,
            [this](const ToolOptions& options) { session_.setToolOptions(options); });
    connect(widgets_.textEdit(), &QLineEdit::textChanged, this, [this](const QString& text) {
        if (widgets_.applying()) return;
        session_.textChanged(text);
        applyView();
    });
}

// ---------------------------------------------------------------- window

void FrmSnap::Form_Load() {
    // The frozen picture of every monitor, taken while this window is not on the screen.
    // The monitors are asked now, so that one changed since the last opening counts.
    const Monitors monitors =
        services_.screen ? services_.screen->monitors() : Monitors::single(QRect());
    QImage shot = freezeDesktop(services_.screen, monitors);
    markOpening(QStringLiteral("screen read"));
    setGeometry(QRect(QPoint(0, 0), shot.size()));
    session_.load(shot, monitors);
    widgets_.optionBar()->setOptions(session_.strokes().options());
    applyView();
    markOpening(QStringLiteral("loaded"));
}

void FrmSnap::ShowEditor() {
    framePending_ = true;
    cover_.show(session_.monitors());
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    markOpening(QStringLiteral("shown"));
}

void FrmSnap::ShowAgain() {
    session_.showAgain();
    applyView();
    ShowEditor();
}

void FrmSnap::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = session_.surface().screen();
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

// ---------------------------------------------------------------- forwards

void FrmSnap::Form_MouseDown(int button, float x, float y) {
    session_.press(button, x, y);
    applyView();
}

void FrmSnap::Form_MouseMove(int button, float x, float y) {
    session_.move(button, x, y);
    applyView();
}

void FrmSnap::Form_MouseUp(int button, float x, float y) {
    session_.release(button, x, y);
    if (!unloaded_) applyView();
}

void FrmSnap::Form_DblClick() {
    session_.doubleClick();
}

void FrmSnap::Image1_MouseDown(int index) {
    session_.handlePress(index);
    applyView();
}

void FrmSnap::Image1_MouseMove(int index, QPointF screenPos) {
    session_.handleMove(index, screenPos);
    applyView();
}

void FrmSnap::Image1_MouseUp(int index) {
    session_.handleRelease(index);
    applyView();
}

void FrmSnap::Image2_Click(int index) {
    session_.clickButton(index);
    if (!unloaded_) applyView();
}

void FrmSnap::PlaceToolBar() {
    session_.PlaceToolBar();
    applyView();
}

} // namespace kv
