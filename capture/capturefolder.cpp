#include "capture/capturefolder.h"

#include "capture/capturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace kv {

bool folderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString chooseCaptureFolder(const QString& programDir, bool installed, const QString& picturesDir,
                            const FolderWritable& writable) {
    const QString beside = captureFolder(programDir);
    if (!installed) {
        // A folder made for captures counts even where the program folder is locked;
        // a plain file of that name does not send captures elsewhere: saving then
        // reports it.
        const bool made = QFileInfo(beside).isDir();
        if (made ? writable(beside) : writable(programDir)) return beside;
    }
    return captureFolder(picturesDir.isEmpty() ? QDir::homePath() : picturesDir);
}

QString chooseCaptureFolder(const QString& programDir, bool installed) {
    return chooseCaptureFolder(programDir, installed,
                               QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
}

} // namespace kv
