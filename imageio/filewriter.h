#pragma once

#include "imageio/saveerror.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QFile;

namespace kv {

// Receives a file's bytes in pieces, in order; false stops the writer.
using ByteSink = std::function<bool(const char* data, qsizetype length)>;

// Writes a file all or nothing: into a temporary file beside it, renamed over
// the old file once everything was written, so a failure leaves an existing
// file as it was. Where the folder forbids new files but the file itself may be
// written, it is written in place. The data is not forced to the disk before
// the rename (the file system orders a replacing rename after the data); that
// wait would cost more than writing a picture.
class FileWriter {
public:
    explicit FileWriter(QString fileName);
    ~FileWriter(); // removes the temporary file unless committed

    // Nothing when the file is open for writing, otherwise what went wrong.
    std::optional<SaveError> open();
    bool write(const char* data, qsizetype length);
    ByteSink sink();
    // Nothing when the whole file is in place.
    std::optional<SaveError> commit();

private:
    SaveError failure() const;
    QString fileName_, tempName_;
    std::unique_ptr<QFile> file_;
    bool ok_ = true;
};

} // namespace kv
