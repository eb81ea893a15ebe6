#include "snapshot/desktopcover.h"

#include <QPainter>
#include <QWidget>

namespace kv {

QImage freezeDesktop(ScreenReader* screen, const Monitors& monitors) {
    const QRect root = monitors.root.isEmpty() ? QRect(0, 0, 1, 1) : monitors.root;
    QImage shot = screen ? screen->grab(root) : QImage();
    if (shot.size() != root.size() || shot.format() != QImage::Format_RGB32) {
        // An unreadable display leaves black where nothing could be read.
        QImage full(root.size(), QImage::Format_RGB32);
        full.fill(Qt::black);
        if (!shot.isNull()) {
            QPainter p(&full);
            p.drawImage(0, 0, shot);
        }
        shot = full;
    }
    blackOutsideMonitors(shot, root.topLeft(), monitors);
    return shot;
}

void coverDesktop(QWidget* window, const Monitors& monitors) {
    const bool several = monitors.list.size() > 1;
    const bool bypassing = window->windowFlags().testFlag(Qt::X11BypassWindowManagerHint);
    if (several != bypassing) window->setWindowFlag(Qt::X11BypassWindowManagerHint, several);
    const QRect root = monitors.root.isEmpty() ? QRect(0, 0, 1, 1) : monitors.root;
    window->setGeometry(root);
    if (several)
        window->show();
    else
        window->showFullScreen();
}

} // namespace kv
