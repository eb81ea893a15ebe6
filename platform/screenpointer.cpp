#include "platform/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace kv {

namespace {
bool haveGui() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance());
}
} // namespace

void setScreenPointer(Qt::CursorShape shape) {
    if (!haveGui()) return;
    if (const QCursor* now = QGuiApplication::overrideCursor()) {
        if (now->shape() != shape) QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
    }
}

void resetScreenPointer() {
    if (!haveGui()) return;
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool screenPointerIs(Qt::CursorShape shape) {
    if (!haveGui()) return false;
    const QCursor* now = QGuiApplication::overrideCursor();
    return now && now->shape() == shape;
}

} // namespace kv
