#include "platform/windowgone.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <xcb/xcb.h>

namespace kv {

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The child of the root window that holds `window`: the window manager's frame, or the
// window itself when nothing reparented it.
xcb_window_t topLevelOf(xcb_connection_t* c, xcb_window_t window) {
    xcb_window_t w = window;
    for (int depth = 0; depth < 16; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (!tree) return w;
        const xcb_window_t parent = tree->parent;
        const xcb_window_t root = tree->root;
        free(tree);
        if (parent == root || parent == XCB_NONE) return w;
        w = parent;
    }
    return w;
}

bool viewable(xcb_connection_t* c, xcb_window_t w) {
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    if (!a) return false; // destroyed
    const bool shown = a->map_state == XCB_MAP_STATE_VIEWABLE;
    free(a);
    return shown;
}

// Long enough for Qt to flush its requests to the compositor. The screenshot that
// follows goes through the portal to a new client of the compositor, which is
// served only after what we sent before.
constexpr int kWaylandGoneMs = 5;

} // namespace

void syncWithDisplay() {
    if (xcb_connection_t* c = x11Connection())
        free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

bool areaSettled(const QImage& windowPicture, const QImage& previousRead, const QImage& lastRead) {
    if (lastRead.isNull() || previousRead.isNull()) return false;
    return lastRead != windowPicture && lastRead == previousRead;
}

// Without an X server (a Wayland session) there is nothing to ask: every read is a
// whole portal request, far too slow to watch the area with. Hiding destroys the
// window's surface as soon as Qt flushes its requests; the compositor drops it from
// the next frame it draws.
static bool hideOnWayland(QWidget* window) {
    window->hide();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kWaylandGoneMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    return true;
}

bool hideAndWaitOffScreen(QWidget* window, ScreenReader* screen, int timeoutMs) {
    if (!window->isVisible()) return true;
    if (!x11Connection()) return hideOnWayland(window);
    QElapsedTimer clock;
    clock.start();
    QRect area = window->frameGeometry();
    if (screen) area = area.intersected(screen->monitors().root);
    const QImage before = screen ? screen->grab(area).image : QImage();
    xcb_connection_t* c = x11Connection();
    const xcb_window_t client = c ? xcb_window_t(window->winId()) : XCB_NONE;
    const xcb_window_t top = c ? topLevelOf(c, client) : XCB_NONE;

    window->hide();
    bool gone = !c;
    while (c && clock.elapsed() < timeoutMs) {
        if (!viewable(c, top) && !viewable(c, client)) {
            gone = true;
            break;
        }
        QThread::usleep(500);
    }
    if (c) free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr)); // round trip
    if (!screen || before.isNull()) return gone;

    // Programs beneath repaint on their own time; until they do the server may still
    // show the window's old pixels there.
    QImage previous = screen->grab(area).image;
    while (clock.elapsed() < timeoutMs) {
        QThread::msleep(4);
        const QImage now = screen->grab(area).image;
        if (areaSettled(before, previous, now)) break;
        previous = now;
    }
    return gone;
}

} // namespace kv
