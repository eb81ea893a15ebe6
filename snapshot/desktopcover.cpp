// Freezing the whole desktop into one picture and covering every monitor with the
// editor.
#include "snapshot/desktopcover.h"
#include "snapshot/outputviews.h"

#include <QPainter>
#include <QWidget>

namespace kv {

ScreenGrab freezeDesktop(ScreenReader* screen, const Monitors& monitors) {
    const QRect root = monitors.root.isEmpty() ? QRect(0, 0, 1, 1) : monitors.root;
    ScreenGrab read = screen ? screen->grab(root) : ScreenGrab();
    QImage& shot = read.image;
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
    return read;
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

DesktopCover::DesktopCover(QWidget* editor, bool oneWindowCoversAllOutputs)
    : editor_(editor), oneWindowCovers_(oneWindowCoversAllOutputs) {}

DesktopCover::~DesktopCover() = default;

void DesktopCover::show(const Monitors& monitors) {
    if (oneWindowCovers_ || monitors.list.size() < 2) {
        views_.reset();
        coverDesktop(editor_, monitors);
        return;
    }
    // Outputs changed since the last showing: windows for the new ones. The old set
    // gives the editor back before the new one takes it.
    if (views_ && views_->monitors() != monitors) views_.reset();
    if (!views_) views_ = std::make_unique<OutputViews>(editor_, monitors);
    views_->show();
}

} // namespace kv
