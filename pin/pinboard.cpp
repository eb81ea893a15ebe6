#include "pin/pinboard.h"

#include "pin/pingeometry.h"
#include "pin/pinwindow.h"
#include "platform/pointer.h"

#include <QGuiApplication>
#include <QScreen>

namespace kv {
namespace {

// One monitor from Qt, where nobody gave the board a better answer.
Monitors qtMonitors() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return Monitors::single(screen ? screen->virtualGeometry() : QRect(0, 0, 1920, 1080));
}

} // namespace

PinBoard::PinBoard(PinContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

PinBoard::~PinBoard() {
    for (const QPointer<PinWindow>& p : pins_)
        delete p.data();
}

PinWindow* PinBoard::pin(const QImage& picture, QPoint screenTopLeft) {
    if (picture.isNull()) return nullptr;
    if (sizeStep_ == 0) sizeStep_ = context_.sizeStep ? std::max(1, context_.sizeStep()) : 1;
    auto* pin = new PinWindow(picture, screenTopLeft, context_, sizeStep_);
    connect(pin, &PinWindow::closeAllAsked, this, &PinBoard::closeAll, Qt::QueuedConnection);
    connect(pin, &QObject::destroyed, this, [this] {
        std::erase_if(pins_, [](const QPointer<PinWindow>& p) { return p.isNull(); });
        emit pinsChanged();
    });
    pins_.emplace_back(pin);
    pin->show();
    pin->raise();
    pin->activateWindow();
    emit pinsChanged();
    return pin;
}

PinWindow* PinBoard::pinAtPointer(const QImage& picture) {
    const Monitors monitors = context_.monitors ? context_.monitors() : qtMonitors();
    const QPoint pointer = PointerScreenPos();
    return pin(picture, placePinPicture(pointer, picture.size(), monitors.monitorFor(pointer)));
}

QList<PinWindow*> PinBoard::pins() const {
    QList<PinWindow*> open;
    for (const QPointer<PinWindow>& p : pins_)
        if (p) open << p.data();
    return open;
}

void PinBoard::closeAll() {
    for (PinWindow* p : pins())
        p->close();
}

void PinBoard::setTextRecognition(std::function<void(const QImage& picture)> recognize) {
    context_.recognizeText = std::move(recognize);
}

} // namespace kv
