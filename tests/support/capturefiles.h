#pragma once

// The timed captures the built program saves beside itself, for the desktops' tests.
#include "capture/capturefile.h"
#include "e2e/support/desktop.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>
#include <QTest>

namespace kvtest {

inline QString captureFolderOfProgram() {
    return kv::captureFolder(QFileInfo(e2e::binary()).absolutePath());
}

inline QStringList captureFiles() {
    return QDir(captureFolderOfProgram()).entryList({"*.bmp"}, QDir::Files, QDir::Name);
}

// The first capture saved since `before` was listed, read once it is complete; every
// new file is removed. Null when none came within `timeoutMs`.
inline QImage takeNewCapture(const QStringList& before, int timeoutMs) {
    QStringList added;
    const bool came = e2e::waitFor(
        [&] {
            added.clear();
            for (const QString& f : captureFiles())
                if (!before.contains(f)) added << f;
            return !added.isEmpty();
        },
        timeoutMs);
    if (!came) return {};
    QTest::qWait(300); // the file is complete
    const QDir folder(captureFolderOfProgram());
    const QImage saved =
        QImage(folder.filePath(added.first())).convertToFormat(QImage::Format_RGB32);
    for (const QString& f : added)
        QFile::remove(folder.filePath(f));
    return saved;
}

} // namespace kvtest
