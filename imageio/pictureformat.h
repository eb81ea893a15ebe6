#pragma once

#include <QString>
#include <optional>

namespace kv {

enum class PictureFormat { Png, Jpeg, Bmp, Gif, Tiff };

// The format a key names, compared without regard to case: "png", "jpg" (and
// "jpeg", which the save dialog's JPEG filter offers), "bmp", "gif", "tiff".
// Nothing for any other key, "tif" included.
std::optional<PictureFormat> formatForKey(const QString& key);

// The key of a file name: the characters after its last "."; a name without a
// "." is its own key.
QString formatKeyOf(const QString& fileName);

// "PNG", "JPEG", ... for messages.
QString formatName(PictureFormat format);

} // namespace kv
