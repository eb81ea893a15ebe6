// The editor's full-screen windows, one per output.
#include "snapshot/outputviews.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace kv {

namespace {

// The screen that shows `part` of the picture: the picture spans the screens' layout
// from its top-left corner. Without one of that place and size, the index-th screen.
QScreen* screenFor(const QRect& part, int index) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty()) return nullptr;
    QRect layout;
    for (const QScreen* s : screens)
        layout |= s->geometry();
    for (QScreen* s : screens)
        if (s->geometry().translated(-layout.topLeft()) == part) return s;
    return screens.value(index, QGuiApplication::primaryScreen());
}

bool isPointerEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::Enter:
    case QEvent::Leave:
        return true;
    default:
        return false;
    }
}

} // namespace

// ---------------------------------------------------------------- one output's window

OutputView::OutputView(OutputViews& views, QScreen* screen, const QRect& part)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), views_(views), screen_(screen),
      part_(part) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    if (QWidget* editor = views.editor()) setWindowTitle(editor->windowTitle());
}

void OutputView::paintEvent(QPaintEvent* event) {
    QWidget* editor = views_.editor();
    if (!editor || editor->parentWidget() == this) return; // the editor paints itself here
    QPainter p(this);
    const QRect r = event->rect();
    editor->render(&p, r.topLeft(), QRegion(r.translated(part_.topLeft())), QWidget::DrawChildren);
}

void OutputView::keyPressEvent(QKeyEvent* event) {
    // Keys that come up from the editor living here have been its already.
    if (views_.editor() && views_.editor()->parentWidget() != this) views_.forwardKey(event);
}

void OutputView::keyReleaseEvent(QKeyEvent* event) {
    if (views_.editor() && views_.editor()->parentWidget() != this) views_.forwardKey(event);
}

void OutputView::closeEvent(QCloseEvent* event) {
    // Closed by the compositor: the editor leaves as it does with Esc, all windows go.
    event->ignore();
    views_.closeRequested();
}

// ---------------------------------------------------------------- the set of them

OutputViews::OutputViews(QWidget* editor, const Monitors& monitors)
    : editor_(editor), editorFlags_(editor->windowFlags()), monitors_(monitors) {
    for (std::size_t i = 0; i < monitors.list.size(); ++i) {
        const QRect part = monitors.list[i].rect;
        auto view = std::make_unique<OutputView>(*this, screenFor(part, int(i)), part);
        view->winId(); // its window exists, to watch and to put on its output
        view->windowHandle()->installEventFilter(this);
        views_.push_back(std::move(view));
    }
    live_ = std::clamp(monitors.primary, 0, std::max(0, count() - 1));
    editor->installEventFilter(this);
}

OutputViews::~OutputViews() {
    if (editor_) {
        editor_->removeEventFilter(this);
        if (indexOfWindow(editor_->parentWidget()) >= 0) {
            moving_ = true;
            editor_->hide();
            editor_->setParent(nullptr, editorFlags_);
        }
    }
    // A window that closes as it is destroyed sends its close event through this
    // filter; by then the list it would be looked up in is half taken down.
    for (const auto& v : views_)
        if (QWindow* w = v->windowHandle()) w->removeEventFilter(this);
    views_.clear();
}

int OutputViews::indexOfWindow(QObject* window) const {
    for (int i = 0; i < count(); ++i)
        if (window == view(i) || window == view(i)->windowHandle()) return i;
    return -1;
}

void OutputViews::show() {
    if (views_.empty()) return;
    for (const auto& v : views_) {
        if (QScreen* s = v->outputScreen()) {
            v->windowHandle()->setScreen(s);
            v->setGeometry(s->geometry());
        }
        v->showFullScreen();
    }
    placeEditor();
    OutputView* home = view(live_);
    home->raise();
    home->activateWindow();
}

void OutputViews::placeEditor() {
    if (!editor_) return;
    QWidget* focused = QApplication::focusWidget();
    const bool keepFocus = focused && (focused == editor_ || editor_->isAncestorOf(focused));
    OutputView* home = view(live_);
    moving_ = true;
    if (editor_->parentWidget() != home) editor_->setParent(home);
    editor_->setGeometry(QRect(-home->part().topLeft(), monitors_.root.size()));
    editor_->show();
    moving_ = false;
    (keepFocus ? focused : editor_.data())->setFocus(Qt::OtherFocusReason);
    repaintMirrorsSoon();
}

void OutputViews::hostIn(int index) {
    if (index < 0 || index >= count()) return;
    if (index == live_ && editor_ && editor_->parentWidget() == view(index)) return;
    live_ = index;
    placeEditor();
}

void OutputViews::forwardKey(QKeyEvent* event) {
    if (!editor_) return;
    QWidget* target = editor_->focusWidget();
    if (!target || !(target == editor_ || editor_->isAncestorOf(target))) target = editor_;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                   event->nativeVirtualKey(), event->nativeModifiers(), event->text(),
                   event->isAutoRepeat(), event->count());
    QCoreApplication::sendEvent(target, &copy);
    repaintMirrorsSoon();
}

void OutputViews::closeRequested() {
    if (editor_ && editor_->isVisible())
        editor_->close();
    else
        hideAll();
}

void OutputViews::hideAll() {
    for (const auto& v : views_)
        v->hide();
}

void OutputViews::repaintMirrorsSoon() {
    if (mirrorsPending_) return;
    mirrorsPending_ = true;
    QTimer::singleShot(0, this, [this] {
        mirrorsPending_ = false;
        for (int i = 0; i < count(); ++i)
            if (i != live_) view(i)->update();
    });
}

bool OutputViews::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (watched == editor_) {
        // The editor hidden (finished or left): its windows go with it.
        if (type == QEvent::HideToParent && !moving_) hideAll();
        return false;
    }
    const int index = indexOfWindow(watched);
    if (index < 0) return false;
    if (index != live_ && editor_ && editor_->isVisible()) {
        // The pointer came into another output's window: the editor goes there, unless
        // a button is held for a drag that belongs to the window it started in.
        Qt::MouseButtons held = QGuiApplication::mouseButtons();
        if (type == QEvent::MouseButtonPress) held &= ~static_cast<QMouseEvent*>(event)->button();
        const bool arrives =
            type == QEvent::Enter || type == QEvent::MouseMove || type == QEvent::MouseButtonPress;
        if (arrives && held == Qt::NoButton) hostIn(index);
    }
    // Whatever the editor does follows input; the other windows show it afterwards.
    if (isPointerEvent(type) || type == QEvent::KeyPress || type == QEvent::KeyRelease ||
        (type == QEvent::UpdateRequest && index == live_))
        repaintMirrorsSoon();
    return false;
}

} // namespace kv
