// The selection outline and the handle widgets.
#include "snapshot/overlays.h"
#include "snapshot/editorstyle.h"

#include <QMouseEvent>
#include <QPainter>
#include <QRegion>

namespace kv {

SelectionOutline::SelectionOutline(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(0, 0, 0, 0);
}

QRect SelectionOutline::pixelRect() const {
    const SelRect r = selRectOf(box_);
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

void SelectionOutline::setBox(const SelBox& box) {
    box_ = box;
    const QRect r = pixelRect();
    if (r.width() < 1 || r.height() < 1) {
        setGeometry(r.x(), r.y(), 0, 0);
        return;
    }
    setGeometry(r);
    // Only the border belongs to the widget, so what lies inside is never repainted
    // for the outline's sake.
    QRegion border(0, 0, r.width(), r.height());
    if (r.width() > 2 && r.height() > 2) border -= QRegion(1, 1, r.width() - 2, r.height() - 2);
    setMask(border);
}

void SelectionOutline::paintEvent(QPaintEvent*) {
    if (width() < 1 || height() < 1) return;
    QPainter p(this);
    p.setPen(Qt::NoPen);
    p.setBrush(kSelectionBlue);
    p.drawRect(0, 0, width(), 1);
    p.drawRect(0, height() - 1, width(), 1);
    p.drawRect(0, 0, 1, height());
    p.drawRect(width() - 1, 0, 1, height());
}

HandleBox::HandleBox(int index, QWidget* parent) : QWidget(parent), index_(index) {
    setFixedSize(kHandleSize, kHandleSize);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void HandleBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kSelectionBlue);
}

void HandleBox::mousePressEvent(QMouseEvent* e) {
    if (onPress) onPress(index_, e);
}
void HandleBox::mouseMoveEvent(QMouseEvent* e) {
    if (onMove) onMove(index_, e);
}
void HandleBox::mouseReleaseEvent(QMouseEvent* e) {
    if (onRelease) onRelease(index_, e);
}
// A quick second press on a handle is still a press.
void HandleBox::mouseDoubleClickEvent(QMouseEvent* e) {
    mousePressEvent(e);
}

ToolBarPanel::ToolBarPanel(QWidget* parent) : ClickableLabel(parent) {
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void ToolBarPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Only the background: the outline and the separators are the tool bar's own
    // shapes, laid over the panel with the buttons.
    p.fillRect(rect(), kBarBackground);
}

} // namespace kv
