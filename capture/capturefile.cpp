// Names and bitmap files of the timed captures.
#include "capture/capturefile.h"

#include "imageio/savepicture.h"

#include <QDir>
#include <QFileInfo>

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
    // All or nothing, as every picture file: a failed write leaves no broken bitmap
    // behind. A screen picture is written at 24 bits.
    const Picture picture(image.convertToFormat(QImage::Format_RGB32));
    if (const std::optional<SaveError> error =
            savePicture(picture, result.path, QStringLiteral("bmp"), EncodeSettings{}))
        result.error = error->description;
    return result;
}

} // namespace kv
