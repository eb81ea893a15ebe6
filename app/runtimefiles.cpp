// Finding the files Kolvane reads while it runs: beside the program or installed.
#include "app/runtimefiles.h"

#include <QDir>
#include <QFileInfo>

namespace kv {
namespace {
const QString kMarker = QStringLiteral("app.ico");
}

QString RuntimeFiles::file(const QString& name) const {
    return QDir(folder).filePath(name);
}

RuntimeFiles findRuntimeFiles(const QString& programDir, const QString& fromProgramToData) {
    const QDir program(programDir);
    if (QFileInfo::exists(program.filePath(kMarker))) return {programDir, false};
    const QString data = QDir::cleanPath(program.filePath(fromProgramToData));
    if (!fromProgramToData.isEmpty() && QFileInfo::exists(QDir(data).filePath(kMarker)))
        return {data, true};
    return {programDir, false};
}

RuntimeFiles findRuntimeFiles(const QString& programDir) {
    // Set by the build from the install directories (bin → share/kolvane).
    return findRuntimeFiles(programDir, QStringLiteral(KOLVANE_DATA_FROM_PROGRAM));
}

} // namespace kv
