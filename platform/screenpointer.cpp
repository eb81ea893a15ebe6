#include "platform/screenpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace kv {

void setScreenPointer(Qt::CursorShape shape) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    if (shape == Qt::ArrowCursor) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    } else if (QGuiApplication::overrideCursor()) {
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    } else {
        QGuiApplication::setOverrideCursor(QCursor(shape));
    }
}

} // namespace kv
