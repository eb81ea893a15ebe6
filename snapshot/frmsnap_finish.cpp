// Finishing a region: cut it to the clipboard and hand it back to the main window.
#include "snapshot/frmsnap.h"

#include "imageio/clipboardencoder.h"
#include "platform/screenpointer.h"
#include "platform/units.h"

#include <QCoreApplication>
#include <QThread>

namespace kv {

FinishedRegion FrmSnap::ScrnCap(int left, int top, int right, int bottom) {
    HideLoupe();
    Shape1->hide();
    hideReadOuts();
    hideHandles();
    QCoreApplication::processEvents();
    // The events just handled may include the release that ends a double click, which
    // places the tool bar again: nothing but the picture may be in the region.
    Picture1->hide();
    Picture2->hide();

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
    Picture1->hide();
    Picture2->hide();
    // Let the hidden bars be repainted away before the cut.
    QThread::msleep(10);
    QCoreApplication::processEvents();
    Shape1->hide();

    const SelBox& s = selection();
    const FinishedRegion region = ScrnCap(nearInt(s.left), nearInt(s.top),
                                          nearInt(s.left + s.width), nearInt(s.top + s.height));
    if (SnapHost* host = services_.host) host->SnapFinished(region);
    hide();
    resetScreenPointer();
    if (SnapHost* host = services_.host) {
        host->SnapShowMainWindow();
        host->SnapRemoveTrayIcon();
    }
}

} // namespace kv
