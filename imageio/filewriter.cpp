#include "imageio/filewriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace kv {

namespace {

// Why a file cannot be written, in words the user can act on.
QString writeFailureReason(const QString& fileName, const QString& systemText) {
    const QFileInfo info(fileName);
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在。").arg(folder.absoluteFilePath());
    if (info.isDir()) return QStringLiteral("已有同名的文件夹。");
    if (info.exists() && !info.isWritable())
        return QStringLiteral("文件是只读的,或者没有写入权限。");
    if (!folder.isWritable())
        return QStringLiteral("没有在文件夹“%1”中写入的权限。").arg(folder.absoluteFilePath());
    return QStringLiteral("系统拒绝写入(磁盘可能已满或没有权限)。系统信息: ") + systemText;
}

// A new file gets the usual rights (read for all, write for the owner); a
// replaced one keeps its own.
QFile::Permissions permissionsFor(const QString& fileName) {
    const QFileInfo existing(fileName);
    if (existing.exists()) return existing.permissions();
    return QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser |
           QFile::ReadGroup | QFile::ReadOther;
}

} // namespace

FileWriter::FileWriter(QString fileName) : fileName_(std::move(fileName)) {}

FileWriter::~FileWriter() {
    if (file_) file_->close();
    if (!tempName_.isEmpty()) QFile::remove(tempName_);
}

SaveError FileWriter::failure() const {
    const QString reason =
        fileName_.isEmpty()
            ? QStringLiteral("没有给出文件名。")
            : writeFailureReason(fileName_, file_ ? file_->errorString() : QString());
    return {
        FileWriteError,
        QStringLiteral("无法写入文件“%1”: %2").arg(QDir::toNativeSeparators(fileName_), reason)};
}

std::optional<SaveError> FileWriter::open() {
    if (fileName_.isEmpty() || QFileInfo(fileName_).isDir()) return failure();
    const QFileInfo info(fileName_);
    auto temp = std::make_unique<QTemporaryFile>(info.absolutePath() + QStringLiteral("/.") +
                                                 info.fileName() + QStringLiteral(".XXXXXX"));
    temp->setAutoRemove(false);
    if (temp->open()) {
        tempName_ = temp->fileName();
        file_ = std::move(temp);
        return std::nullopt;
    }
    file_ = std::make_unique<QFile>(fileName_);
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return failure();
    return std::nullopt;
}

bool FileWriter::write(const char* data, qsizetype length) {
    ok_ = ok_ && file_ && file_->write(data, length) == length;
    return ok_;
}

ByteSink FileWriter::sink() {
    return [this](const char* data, qsizetype length) { return write(data, length); };
}

std::optional<SaveError> FileWriter::commit() {
    if (!file_) return failure();
    ok_ = ok_ && file_->flush();
    file_->close();
    ok_ = ok_ && file_->error() == QFileDevice::NoError;
    if (!ok_) return failure();
    if (tempName_.isEmpty()) return std::nullopt;
    file_->setPermissions(permissionsFor(fileName_));
    // rename() replaces an existing file in one step.
    if (std::rename(QFile::encodeName(tempName_).constData(),
                    QFile::encodeName(fileName_).constData()) != 0)
        return failure();
    tempName_.clear();
    return std::nullopt;
}

} // namespace kv
