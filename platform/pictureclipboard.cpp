#include "platform/pictureclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kv {

QClipboard* PictureClipboard::clipboard() const {
    return clipboard_ ? clipboard_ : QGuiApplication::clipboard();
}

void PictureClipboard::put(const Picture& picture) {
    QMimeData* data = nullptr;
    if (encoder_) {
        data = new PictureMimeData(picture.image(), encoder_);
    } else {
        data = new QMimeData;
        data->setImageData(picture.image());
    }
    put_ = data;
    clipboard()->setMimeData(data); // the clipboard owns it from here
}

bool PictureClipboard::holdsPut() const {
    // Qt deletes our data as soon as anything else takes the clipboard, here or
    // in another program, which clears the guarded pointer.
    return put_ && clipboard()->ownsClipboard() && clipboard()->mimeData() == put_.data();
}

bool PictureClipboard::clearIfHeld() {
    if (!holdsPut()) return false;
    clipboard()->clear();
    return true;
}

} // namespace kv
