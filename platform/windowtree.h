#pragma once

// The windows on the screen at one moment, as rectangles, for choosing a window (or a
// part of one) as a region with a key instead of a drag.
#include <QPoint>
#include <QRect>
#include <optional>
#include <vector>

namespace kv {

// A window the display knows, with its own child windows, topmost first. Rectangles
// are in screen pixels.
struct WindowNode {
    QRect rect;
    std::vector<WindowNode> children;
};

// A top-level window: the rectangle with the frame its window manager drew (what
// "窗体截图" captures) and the program's own window inside it.
struct TopLevelWindow {
    QRect frame;
    WindowNode client;
};

// The top-level windows, topmost first, kept as they were when read (so that they
// match a frozen picture of the screen taken at the same time). An empty tree knows
// no window: a Wayland session tells a program no window positions.
class WindowTree {
public:
    WindowTree() = default;
    WindowTree(std::vector<TopLevelWindow> windows, const QRect& desktop);

    bool empty() const { return windows_.empty(); }
    // The rectangles that hold a point, outermost first: the topmost window there with
    // its frame, its own area, then its child windows under the point, each cut to
    // what shows of it (inside its parent and the desktop). A rectangle equal to the
    // one before it is left out. Empty where no window is.
    std::vector<QRect> chainAt(QPoint p) const;

private:
    std::vector<TopLevelWindow> windows_;
    QRect desktop_;
};

// Where Tab (`inward`) or Shift+Tab lead from the selection `current`, along the
// rectangles under the pointer (chainAt): from one of them to the next one inward or
// outward, staying at the innermost and outermost; from any other selection (none, or
// one that was dragged) to the outermost. Nothing when the chain is empty.
std::optional<QRect> stepThroughWindows(const std::vector<QRect>& chain, const QRect& current,
                                        bool inward);

} // namespace kv
