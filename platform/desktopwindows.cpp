#include "platform/screenreaderfactory.h"
#include "platform/x11windows.h"

namespace kv {

namespace {

// A Wayland session: the screen is there as a whole, no window is known.
class SessionWithoutWindows final : public DesktopWindows {
public:
    WId desktopWindow() const override { return 0; }
    WId activeWindow() const override { return 0; }
    QRect windowRect(WId, bool) const override { return {}; }
    bool knowsActiveWindow() const override { return false; }
};

} // namespace

std::unique_ptr<DesktopWindows> createDesktopWindows() {
    if (isWaylandSession()) return std::make_unique<SessionWithoutWindows>();
    return createX11DesktopWindows();
}

} // namespace kv
