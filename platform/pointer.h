#pragma once

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace kv {

// Where the pointer is, in X screen pixels of the root window (the coordinates the
// screen reader reads in), whatever window it is over.
QPoint PointerScreenPos();

// Moves the pointer to a point in X screen pixels, as the user would: the windows
// under it get the move (and a held button drags).
void WarpPointer(QPoint screenPos);

// A pointer shape made from a picture; `hotSpot` is the picture pixel that points.
QCursor CursorFromPicture(const QImage& picture, QPoint hotSpot);

// A pointer shown over every window while a drag is in progress, together with a
// pointer grab so that the dragging widget keeps receiving the moves and the
// release wherever the pointer goes, also over other programs' windows.
// At most one such pointer is shown at a time; ending is safe to repeat.
class DragPointer {
public:
    DragPointer() = default;
    DragPointer(const DragPointer&) = delete;
    DragPointer& operator=(const DragPointer&) = delete;
    ~DragPointer() { End(); }

    void Begin(QWidget* grabber, const QCursor& cursor);
    void End();
    bool active() const { return active_; }

private:
    bool active_ = false;
    QPointer<QWidget> grabber_;
};

} // namespace kv
