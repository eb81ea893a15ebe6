#pragma once

#include "pin/pincontext.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <vector>

namespace kv {

class PinWindow;

// The pins of the running program: makes them, keeps them until each is closed
// (or the board goes, with the main window that owns it), and closes them all at
// once.
class PinBoard : public QObject {
    Q_OBJECT
public:
    explicit PinBoard(PinContext context, QObject* parent = nullptr);
    ~PinBoard() override;

    // Pins a picture with its first pixel at `screenTopLeft` (screen pixels, any
    // monitor), exactly there: a region pinned where it was selected. The pin is
    // shown and returned; nothing for an empty picture.
    PinWindow* pin(const QImage& picture, QPoint screenTopLeft);
    // Pins a picture with its top-left at the pointer, moved only as far as needed
    // to lie inside the pointer's monitor. Where the window system does not let a
    // program place its windows (Wayland), where the desktop puts it.
    PinWindow* pinAtPointer(const QImage& picture);

    // The pins that are open, oldest first.
    QList<PinWindow*> pins() const;
    void closeAll();

    // "文字识别" on every pin's menu from now on (hidden while unset).
    void setTextRecognition(std::function<void(const QImage& picture)> recognize);

signals:
    // A pin was opened or closed.
    void pinsChanged();

private:
    PinContext context_;
    int sizeStep_ = 0; // 0 until the first pin asks
    std::vector<QPointer<PinWindow>> pins_;
};

} // namespace kv
