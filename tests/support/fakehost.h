#pragma once

// The region editor's host for tests: records what the editor asks of it.
#include "snapshot/snaphost.h"

#include <QStringList>

namespace kvtest {

class FakeHost final : public kv::SnapHost {
public:
    void SnapShowMainWindow() override { calls << "show"; }
    void SnapRemoveTrayIcon() override { calls << "tray"; }
    void SnapFinished(const kv::FinishedRegion& region) override {
        calls << "picture";
        shown = region.picture;
    }
    void SnapUnloaded() override { calls << "unloaded"; }
    QStringList calls;
    kv::Picture shown;
};

} // namespace kvtest
