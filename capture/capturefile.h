#pragma once

#include "platform/clock.h"

#include <QDateTime>
#include <QImage>
#include <QString>

namespace kv {

// "用户图片" inside `parent` (the program folder, or the user's pictures folder).
QString captureFolder(const QString& parent);

// "MM-DD-YYYY-HHMMSS.bmp" for the local date and time `when`, for example
// "05-01-2010-153012.bmp".
QString captureFileName(const QDateTime& when);

struct CaptureSaveResult {
    QString path;  // the file written, or the one that could not be written
    QString error; // empty on success; otherwise why, in words for the user
    bool ok() const { return error.isEmpty(); }
};

// Writes a capture as a 24-bit Windows bitmap into `folder`, named by the clock's
// time now; the folder is made when it is missing.
CaptureSaveResult saveCaptureBitmap(const QImage& image, const QString& folder, const Clock& clock);

} // namespace kv
