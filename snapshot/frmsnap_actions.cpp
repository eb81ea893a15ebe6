// Kolvane's own actions on the selection, from the second bar or their keys: pinning
// it, reading its text, a long capture from it.
#include "imageio/clipboardencoder.h"
#include "snapshot/editoractions.h"
#include "snapshot/frmsnap.h"

#include <QCoreApplication>
#include <QPointer>

namespace kv {

void FrmSnap::editorAction(int action) {
    SnapHost* host = services_.host;
    const SelRect r = selRectOf(session_.selection());
    const QRect selection(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (!host || selection.isEmpty()) return;
    switch (EditorAction(action)) {
    case EditorAction::Pin:
    case EditorAction::Recognise: {
        // What the selection shows, drawings included; then the editor leaves as Esc
        // leaves it, and the picture goes on without it.
        const QImage picture = selectionPicture();
        CloseEditor();
        if (EditorAction(action) == EditorAction::Pin)
            host->SnapPin(picture, selection);
        else
            host->SnapRecognise(picture);
        break;
    }
    case EditorAction::LongCapture: {
        if (!host->SnapCanLongCapture()) return;
        // The screen must be live and clear of the editor before the first read.
        session_.hideForCut();
        applyView();
        hide();
        QCoreApplication::processEvents();
        QPointer<FrmSnap> self(this);
        host->SnapLongCapture(selection, [self](const QImage& page) {
            if (self) self->longCaptureEnded(page);
        });
        break;
    }
    case EditorAction::None:
        break;
    }
}

void FrmSnap::longCaptureEnded(const QImage& page) {
    if (page.isNull()) {
        CloseEditor();
        return;
    }
    FinishedRegion region{Picture(page.convertToFormat(QImage::Format_RGB32)),
                          PictureClipboard(nullptr, encodeForClipboard)};
    region.clipboard.put(region.picture);
    handBack(region);
}

} // namespace kv
