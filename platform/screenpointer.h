#pragma once

#include <QtCore/qnamespace.h>

namespace kv {

// The screen-wide mouse pointer: one application-wide override shape that wins
// over every window's own pointer. At most one override is ever stacked, so
// setting a shape replaces the current one. Does nothing without a GUI
// application.
void setScreenPointer(Qt::CursorShape shape);
// Removes the override: the pointer goes back to what each window asks for.
void resetScreenPointer();
// Whether the screen-wide pointer is set to `shape`.
bool screenPointerIs(Qt::CursorShape shape);

// The busy pointer for the lifetime of the object; the pointer is the default
// again afterwards.
class BusyPointer {
public:
    BusyPointer() { setScreenPointer(Qt::WaitCursor); }
    ~BusyPointer() { resetScreenPointer(); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

} // namespace kv
