#pragma once

// The desktop's windows for tests: a root and whatever windows a test puts there.
#include "platform/x11windows.h"

#include <map>
#include <utility>

namespace kvtest {

class FakeWindows : public kv::DesktopWindows {
public:
    static constexpr WId kRoot = 1;
    WId desktopWindow() const override { return kRoot; }
    WId activeWindow() const override { return active; }
    QRect windowRect(WId w, bool client) const override {
        if (w == kRoot) return rootRect;
        auto it = windows.find(w);
        if (it == windows.end()) return {};
        return client ? it->second.second : it->second.first;
    }
    bool knowsActiveWindow() const override { return knowsActive; }

    QRect rootRect = QRect(0, 0, 1920, 1080);
    WId active = 0;
    std::map<WId, std::pair<QRect, QRect>> windows; // frame, client area
    // False: a session that never tells the active window (Wayland).
    bool knowsActive = true;
};

} // namespace kvtest
