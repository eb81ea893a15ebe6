#include "imageio/savepicture.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kv {

namespace {

// Why a file cannot be written, in words the user can act on.
QString writeFailureReason(const QString& fileName, const QSaveFile& file) {
    const QFileInfo info(fileName);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在。").arg(folder.absoluteFilePath());
    if (info.isDir()) return QStringLiteral("已有同名的文件夹。");
    if (info.exists() && !info.isWritable())
        return QStringLiteral("文件是只读的,或者没有写入权限。");
    if (!folder.isWritable())
        return QStringLiteral("没有在文件夹“%1”中写入的权限。").arg(folder.absoluteFilePath());
    return QStringLiteral("系统拒绝写入(磁盘可能已满或没有权限)。系统信息: ") + file.errorString();
}

} // namespace

std::optional<SaveError> writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    // Where the folder forbids creating the temporary file but the file itself
    // may be written, write it in place.
    file.setDirectWriteFallback(true);
    const bool ok = !fileName.isEmpty() && file.open(QIODevice::WriteOnly) &&
                    file.write(bytes) == bytes.size() && file.commit();
    if (ok) return std::nullopt;
    const QString reason = fileName.isEmpty() ? QStringLiteral("没有给出文件名。")
                                              : writeFailureReason(fileName, file);
    return SaveError{
        FileWriteError,
        QStringLiteral("无法写入文件“%1”: %2").arg(QDir::toNativeSeparators(fileName), reason)};
}

std::optional<SaveError> savePicture(const Picture& picture, const QString& fileName,
                                     const QString& formatKey, const EncodeSettings& settings) {
    const std::optional<PictureFormat> format = formatForKey(formatKey);
    if (!format)
        return SaveError{
            UnknownFormatError,
            QStringLiteral("不支持的图片格式“%1”。可以保存的格式: png、jpg(jpeg)、bmp、gif、tiff。")
                .arg(formatKey)};
    Encoded encoded = encodePicture(picture.image(), *format, settings);
    if (encoded.error) return encoded.error;
    return writeWholeFile(fileName, encoded.bytes);
}

} // namespace kv
