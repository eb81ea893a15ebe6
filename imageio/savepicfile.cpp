#include "imageio/savepicfile.h"

#include "imageio/savepicture.h"
#include "platform/screenpointer.h"

#include <QMessageBox>
#include <QPushButton>

namespace kv {

void showSaveErrorBox(const SaveError& error, QWidget* parent) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("错误"), saveErrorText(error),
                    QMessageBox::Ok, parent);
    // Qt names its standard buttons in English; the box speaks Chinese throughout.
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

bool SavePicFile(const Picture& picture, const QString& fileName, const QString& formatKey,
                 quint32 quality, quint32 colourDepth, quint32 compression, QWidget* boxParent) {
    std::optional<SaveError> error;
    {
        BusyPointer busy;
        error = savePicture(picture, fileName, formatKey, {quality, colourDepth, compression});
    }
    if (error) showSaveErrorBox(*error, boxParent);
    return !error;
}

} // namespace kv
