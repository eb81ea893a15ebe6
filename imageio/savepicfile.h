#pragma once

#include "imageio/saveerror.h"
#include "platform/picture.h"

#include <QString>

class QWidget;

namespace kv {

// Shows a save failure: the modal "错误" box with an information icon and OK.
void showSaveErrorBox(const SaveError& error, QWidget* parent = nullptr);

// Saves a picture in the format named by the key (any case): quality is the JPEG
// quality 0..100, colourDepth the TIFF bits per pixel and compression the TIFF
// compression value (6 none, 2 LZW). The pointer is busy meanwhile; a failure is
// shown in the error box after the pointer is back to normal. True when the
// file was written.
bool SavePicFile(const Picture& picture, const QString& fileName, const QString& formatKey,
                 quint32 quality, quint32 colourDepth, quint32 compression,
                 QWidget* boxParent = nullptr);

} // namespace kv
