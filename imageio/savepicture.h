#pragma once

#include "imageio/encoders.h"
#include "imageio/saveerror.h"
#include "platform/picture.h"

#include <QString>
#include <optional>

namespace kv {

// Writes a picture to a file in the format that the key names (see
// formatForKey). An existing file of that name is replaced without a question;
// when anything fails, an existing file is left as it was and nothing is half
// written. Nothing on success, otherwise what went wrong. No user interface.
std::optional<SaveError> savePicture(const Picture& picture, const QString& fileName,
                                     const QString& formatKey, const EncodeSettings& settings);

// Writes bytes to a file the same way: all or nothing.
std::optional<SaveError> writeWholeFile(const QString& fileName, const QByteArray& bytes);

} // namespace kv
