#pragma once

// A stand-in for the window an editor session runs in: it records what the session
// asks of it.
#include "snapshot/editorsession.h"

#include <QStringList>

namespace kvtest {

class FakeEditorEffects final : public kv::EditorEffects {
public:
    void finishRegion() override { calls << "finish"; }
    void closeEditor() override { calls << "close"; }
    void warpPointer(QPoint at) override {
        calls << QStringLiteral("warp %1,%2").arg(at.x()).arg(at.y());
    }
    void copyText(const QString& text) override { calls << "copy " + text; }
    void editorAction(int action) override { calls << QStringLiteral("action %1").arg(action); }
    QStringList calls;
};

} // namespace kvtest
