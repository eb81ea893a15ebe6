#include "platform/windowgone.h"

#include "platform/compositorsync.h"
#include "platform/gnomeshell.h"
#include "platform/screenshotpermission.h"

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

// GNOME Shell fades a closing window out over 150 ms where it animates; with one
// frame at 60 Hz after that, the screen no longer shows any of it.
constexpr int kGnomeFadeMs = 170;
// Where a picture cannot be checked for the window: time for GNOME to paint the
// screen without it.
constexpr int kGnomeRepaintMs = 100;
// Where it can: two frames at 60 Hz. Asked at once, 2 of 7 pictures still showed
// the window and were taken again (a whole portal round trip more); after this, none
// of 28 did.
constexpr int kGnomeSettleMs = 30;

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
// whole portal request, far too slow to watch the area with. Hiding unmaps the
// window's surface once Qt sends its requests; the compositor has taken the window
// away once it has handled them (GNOME's screenshot, asked through the portal a
// moment after hiding without that, could still show it).
static bool hideOnWayland(QWidget* window, ScreenReader* screen) {
    // A round trip after the hide is all most compositors need. GNOME Shell, where it
    // animates windows, fades the window out and tells no client when that has ended
    // (Mutter sends no frame callback to a surface without a role): the whole fade is
    // waited for. Else GNOME may still answer with a picture painted before the hide:
    // the window's looks let the reader tell and take another (at scale 1, where they
    // are the screen's own pixels).
    const bool gnome = desktopAsksForScreenshots();
    const bool fades = gnome && gnomeShellAnimates(QDBusConnection::sessionBus());
    const QImage looks = gnome && !fades && screen ? window->grab().toImage() : QImage();
    const bool checkable = !looks.isNull() && looks.devicePixelRatio() == 1.0;
    window->hide();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); // sends them
    if (screen)
        screen->syncWithCompositor();
    else
        syncWithCompositor();
    if (!gnome) return true;
    QThread::msleep(fades ? kGnomeFadeMs : checkable ? kGnomeSettleMs : kGnomeRepaintMs);
    if (checkable) screen->expectHidden(looks);
    return true;
}

bool hideAndWaitOffScreen(QWidget* window, ScreenReader* screen, int timeoutMs) {
    if (!window->isVisible()) return true;
    if (!x11Connection()) return hideOnWayland(window, screen);
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
