#include "platform/pointer.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <xcb/xcb.h>

namespace kv {

QPoint PointerScreenPos() {
    // Ask the X server directly: Qt's cursor position is in device-independent
    // pixels, the screen reads are in X pixels.
    if (auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (xcb_connection_t* c = x11->connection()) {
            const xcb_setup_t* setup = xcb_get_setup(c);
            xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
            if (it.rem > 0) {
                xcb_query_pointer_reply_t* reply =
                    xcb_query_pointer_reply(c, xcb_query_pointer(c, it.data->root), nullptr);
                if (reply) {
                    const QPoint at(reply->root_x, reply->root_y);
                    free(reply);
                    return at;
                }
            }
        }
    }
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    return QCursor::pos() * ratio;
}

void WarpPointer(QPoint screenPos) {
    if (auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (xcb_connection_t* c = x11->connection()) {
            xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
            if (it.rem > 0) {
                xcb_warp_pointer(c, XCB_NONE, it.data->root, 0, 0, 0, 0, int16_t(screenPos.x()),
                                 int16_t(screenPos.y()));
                xcb_flush(c);
                return;
            }
        }
    }
    QCursor::setPos(screenPos);
}

QCursor CursorFromPicture(const QImage& picture, QPoint hotSpot) {
    if (picture.isNull()) return QCursor(Qt::CrossCursor);
    return QCursor(QPixmap::fromImage(picture), hotSpot.x(), hotSpot.y());
}

void DragPointer::Begin(QWidget* grabber, const QCursor& cursor) {
    if (active_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        active_ = true;
    }
    if (grabber && grabber != grabber_) {
        if (grabber_) grabber_->releaseMouse();
        grabber_ = grabber;
        grabber->grabMouse();
    }
}

void DragPointer::End() {
    if (grabber_) grabber_->releaseMouse();
    grabber_ = nullptr;
    if (active_) QGuiApplication::restoreOverrideCursor();
    active_ = false;
}

} // namespace kv
