#include "capture/capturefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace kv {

QString captureFolder(const QString& parent) {
    return QDir(parent).filePath(QStringLiteral("用户图片"));
}

QString captureFileName(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%02d-%02d-%04d-%02d%02d%02d.bmp", d.month(), d.day(), d.year(),
                             t.hour(), t.minute(), t.second());
}

CaptureSaveResult saveCaptureBitmap(const QImage& image, const QString& folder,
                                    const Clock& clock) {
    CaptureSaveResult result{QDir(folder).filePath(captureFileName(clock.now())), {}};
    if (image.isNull()) {
        result.error = QStringLiteral("截图没有得到图像，没有可保存的内容。");
        return result;
    }
    if (!QDir().mkpath(folder)) {
        const QFileInfo blocker(folder);
        result.error = blocker.exists() && !blocker.isDir()
                           ? QStringLiteral("无法创建文件夹 %1：已有同名的文件。")
                           : QStringLiteral("无法创建文件夹 %1。");
        result.error = result.error.arg(QDir::toNativeSeparators(folder));
        return result;
    }
    // Written to a temporary file and renamed at the end, so a failed write
    // leaves no broken bitmap behind.
    QSaveFile file(result.path);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    // Qt writes 32-bit pictures without alpha as 24-bit bitmaps.
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        result.error = writer.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) result.error = file.errorString();
    return result;
}

} // namespace kv
