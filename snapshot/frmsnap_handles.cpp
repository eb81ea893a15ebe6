// The selection's handles and moving it: resizing by a handle, dragging the whole
// selection.
#include "snapshot/frmsnap.h"

#include "platform/screenpointer.h"
#include "platform/units.h"

namespace kv {

void FrmSnap::ImageMove() {
    const auto at = handlePositions(selection());
    for (int i = 0; i < kHandleCount; ++i)
        Image1[std::size_t(i)]->move(nearInt(at[std::size_t(i)].x()),
                                     nearInt(at[std::size_t(i)].y()));
    for (HandleBox* h : Image1)
        h->show();
}

void FrmSnap::Image1_MouseDown(int /*index*/) {
    if (historyCount() == 1) {
        toolMode = false;
        showReadOuts();
    }
    if (!toolMode && Status == QLatin1String("move")) {
        handleDrag = QStringLiteral("Start");
        const SelBox& s = selection();
        pressLeft = s.left;
        pressTop = s.top;
        pressRight = s.left + s.width;
        pressBottom = s.top + s.height;
        Picture1->hide();
        Picture2->hide();
        history.resetToFirst();
    }
}

void FrmSnap::Image1_MouseMove(int index, QPointF screenPos) {
    if (index < 0 || index >= kHandleCount) return;
    setScreenPointer(handleCursor(index));
    if (handleDrag != QLatin1String("Start")) return;
    // Where the desktop is larger than its monitors the pointer can go where the
    // selection may not.
    dragCursor =
        clampInto(QPoint(nearInt(screenPos.x()), nearInt(screenPos.y())), monitors_.desktop());
    Image1[std::size_t(index)]->move(dragCursor);
    setSelection(resizeByHandle(index, selection(), {pressLeft, pressTop, pressRight, pressBottom},
                                dragCursor));
    ImageMove();
    ShowSelectionSize();
    originX = selection().left;
    originY = selection().top;
    ShowLoupe(dragCursor);
}

void FrmSnap::Image1_MouseUp(int /*index*/) {
    HideLoupe();
    handleDrag = QStringLiteral("Stop");
    PlaceToolBar();
}

void FrmSnap::MoveDrag(float x, float y) {
    setScreenPointer(Qt::SizeAllCursor);
    setSelection(moveSelection(selection(), {originX, originY}, {downX, downY}, {x, y},
                               monitors_.desktop()));
    StackReadOuts();
}

void FrmSnap::ShowSelectionSize() {
    LblPos->setText(sizeText(selection().width, selection().height));
    LblPos->adjustSize();
    StackReadOuts();
}

} // namespace kv
