// Finishing a region: cut it to the clipboard, hand it back to the main window,
// and later save it.
#include "snapshot/frmsnap.h"

#include "imageio/pictureformat.h"
#include "imageio/savedialog.h"
#include "imageio/savepicfile.h"
#include "platform/screenpointer.h"
#include "platform/units.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>

namespace kv {

void FrmSnap::buildFinishArea() {}

void FrmSnap::ScrnCap(int left, int top, int right, int bottom) {
    HideLoupe();
    Shape1->hide();
    hideReadOuts();
    hideHandles();
    QCoreApplication::processEvents();
    // The events just handled may include the release that ends a double click, which
    // places the tool bar again: nothing but the picture may be in the region.
    Picture1->hide();
    Picture2->hide();

    const QRect area(left, top, right - left, bottom - top);
    // What the editor shows there: the picture with everything drawn on it and
    // any child still visible (an open text box), rendered rather than read
    // back from the display, so nothing else on the screen can get into it.
    const QRect inside = area.intersected(rect());
    if (inside.isEmpty()) {
        // Nothing to cut; whatever the clipboard holds stays there.
        finishedRegion = Picture();
        return;
    }
    QImage cut = grab(inside).toImage().convertToFormat(QImage::Format_RGB32);
    finishedRegion = Picture(std::move(cut));
    regionClipboard.put(finishedRegion);
}

void FrmSnap::FinishRegion() {
    Picture1->hide();
    Picture2->hide();
    // Let the hidden bars be repainted away before the cut.
    QThread::msleep(10);
    QCoreApplication::processEvents();
    Shape1->hide();

    const SelBox& s = selection();
    ScrnCap(nearInt(s.left), nearInt(s.top), nearInt(s.left + s.width), nearInt(s.top + s.height));
    if (SnapHost* host = services_.host) host->SnapShowPicture(finishedRegion);
    hide();
    resetScreenPointer();
    if (SnapHost* host = services_.host) {
        host->SnapShowMainWindow();
        host->SnapRemoveTrayIcon();
    }
    flaga = true;
}

void FrmSnap::CutdSave() {
    // The dialog opens where timed captures go; a first save makes that folder.
    QDir().mkpath(services_.saveFolder);
    const std::optional<QString> name = askSavePictureName(services_.saveFolder);
    // Cancelled: the region keeps waiting for another try.
    if (!name) return;
    // A failed save has been reported; the region still waits, on the clipboard
    // too, so the user can try another name or folder.
    if (!SavePicFile(finishedRegion, *name, formatKeyOf(*name), 80, 24, 6)) return;

    // Only our region is cleared away; something copied since then stays.
    regionClipboard.clearIfHeld();
    flaga = false;
    unloaded_ = true;
    if (SnapHost* host = services_.host) host->SnapUnloaded();
}

} // namespace kv
