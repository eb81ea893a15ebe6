// How the editor ends: finishing (the region cut to the clipboard and handed back to
// the main window), or leaving without a picture.
#include "snapshot/frmsnap.h"

#include "imageio/clipboardencoder.h"
#include "platform/screenpointer.h"
#include "platform/units.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>

namespace kv {

QImage FrmSnap::selectionPicture() {
    const SelRect r = selRectOf(session_.selection());
    session_.hideForCut();
    applyView();
    const QRect inside = QRect(r.left, r.top, r.right - r.left, r.bottom - r.top) & rect();
    if (inside.isEmpty()) return QImage();
    return grab(inside).toImage().convertToFormat(QImage::Format_RGB32);
}

FinishedRegion FrmSnap::ScrnCap(int left, int top, int right, int bottom) {
    session_.hideForCut();
    applyView();
    QCoreApplication::processEvents();
    // The events just handled may include the release that ends a double click, which
    // places the tool bar again: nothing but the picture may be in the region.
    session_.hideForCut();
    applyView();

    // Pastes are answered from bytes encoded once, off the UI thread.
    FinishedRegion region{Picture(), PictureClipboard(nullptr, encodeForClipboard)};
    const QRect area(left, top, right - left, bottom - top);
    // What the editor shows there: the picture with everything drawn on it and
    // any child still visible (an open text box), rendered rather than read
    // back from the display, so nothing else on the screen can get into it.
    const QRect inside = area.intersected(rect());
    // Nothing to cut: whatever the clipboard holds stays there.
    if (inside.isEmpty()) return region;
    region.picture = Picture(grab(inside).toImage().convertToFormat(QImage::Format_RGB32));
    region.clipboard.put(region.picture);
    return region;
}

void FrmSnap::FinishRegion() {
    session_.hideForCut();
    applyView();
    // Let the hidden bars be repainted away before the cut.
    QThread::msleep(10);
    QCoreApplication::processEvents();

    const SelBox& s = session_.selection();
    const FinishedRegion region = ScrnCap(nearInt(s.left), nearInt(s.top),
                                          nearInt(s.left + s.width), nearInt(s.top + s.height));
    if (SnapHost* host = services_.host) host->SnapFinished(region);
    hide();
    session_.leave();
    applyView();
    if (SnapHost* host = services_.host) {
        host->SnapShowMainWindow();
        host->SnapRemoveTrayIcon();
    }
}

// ---------------------------------------------------------------- leaving

void FrmSnap::Form_KeyPress(int keyAscii) {
    if (keyAscii == 27) CloseEditor();
}

void FrmSnap::closeEvent(QCloseEvent* event) {
    // Closed from outside (the window manager): leave as with Esc, so the main window
    // never stays hidden.
    event->accept();
    if (!unloaded_ && isVisible()) CloseEditor();
}

void FrmSnap::CloseEditor() {
    if (unloaded_) return;
    session_.leave();
    applyView();
    hide();
    if (SnapHost* host = services_.host) {
        host->SnapShowMainWindow();
        host->SnapRemoveTrayIcon();
    }
    Unload();
}

void FrmSnap::Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    widgets_.hideLoupe();
    hide();
    if (SnapHost* host = services_.host) host->SnapUnloaded();
}

} // namespace kv
