#pragma once

// Mouse input delivered straight to a widget, so a test does not race the X
// server's own pointer events. Moves carry the buttons held, as the window system
// reports them (QTest's own moves carry none).

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace kvtest {

inline void sendMove(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::NoButton) {
    QMouseEvent e(QEvent::MouseMove, QPointF(p), w->mapToGlobal(QPointF(p)), Qt::NoButton, held,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// Press at `from`, a move half-way and one to `to`, release at `to`.
inline void sendDrag(QWidget* w, QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(w, b, {}, from);
    sendMove(w, (from + to) / 2, b);
    sendMove(w, to, b);
    QTest::mouseRelease(w, b, {}, to);
}

} // namespace kvtest
