#pragma once

// Turning the mouse wheel over another program's window, as the user would.
#include <QPoint>
#include <memory>

namespace kv {

class Scroller {
public:
    virtual ~Scroller() = default;
    // Whether wheel turns can be sent to other programs' windows at all. Not in a
    // Wayland session: no program may send input to another there.
    virtual bool canScroll() const = 0;
    // Moves the pointer to `screenPos` (screen pixels) and turns the wheel by `notches`,
    // down (the page moves up) when positive. Returns once the display has taken the
    // events; false when they could not be sent.
    virtual bool scroll(QPoint screenPos, int notches) = 0;
};

// The X server's test extension (XTest) where it is offered; otherwise a scroller that
// cannot scroll.
std::unique_ptr<Scroller> createScroller();

} // namespace kv
