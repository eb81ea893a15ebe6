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
    void SnapPin(const QImage& picture, const QRect& selection) override {
        calls << "pin";
        handed = picture;
        handedAt = selection;
    }
    void SnapRecognise(const QImage& picture) override {
        calls << "recognise";
        handed = picture;
    }
    QStringList calls;
    kv::Picture shown;
    QImage handed; // what an action of the second bar was given
    QRect handedAt;
};

} // namespace kvtest
