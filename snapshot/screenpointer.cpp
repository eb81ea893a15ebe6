#include "snapshot/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace kv {

void setScreenPointer(Qt::CursorShape shape) {
    if (const QCursor* now = QGuiApplication::overrideCursor()) {
        if (now->shape() != shape) QGuiApplication::changeOverrideCursor(QCursor(shape));
        return;
    }
    QGuiApplication::setOverrideCursor(QCursor(shape));
}

void resetScreenPointer() {
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool screenPointerIs(Qt::CursorShape shape) {
    const QCursor* now = QGuiApplication::overrideCursor();
    return now && now->shape() == shape;
}

} // namespace kv
