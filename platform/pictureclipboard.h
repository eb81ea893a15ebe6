#pragma once

#include "platform/picture.h"
#include "platform/picturemimedata.h"

#include <QPointer>

class QClipboard;
class QMimeData;

namespace kv {

// A picture on the system clipboard, offered as an image that other programs
// can paste (image/png, image/bmp and the other image types Qt offers), and
// remembered so that it can be told apart from anything copied later.
class PictureClipboard {
public:
    // The application's clipboard when none is given. With an encoder, pastes
    // are answered from bytes it made once, off the calling thread (see
    // PictureMimeData); without one, Qt encodes the picture for every paste.
    explicit PictureClipboard(QClipboard* clipboard = nullptr, PictureEncoder encoder = {})
        : clipboard_(clipboard), encoder_(std::move(encoder)) {}

    void put(const Picture& picture);
    // Whether the clipboard still holds the picture put there last.
    bool holdsPut() const;
    // Empties the clipboard only while it still holds that picture, so that
    // whatever was copied since survives. True when it was emptied.
    bool clearIfHeld();

private:
    QClipboard* clipboard() const;
    QClipboard* clipboard_;
    PictureEncoder encoder_;
    QPointer<QMimeData> put_;
};

} // namespace kv
