// Running a command from the command line or a second start as a click on its label.
#include "app/startcommand.h"

#include "app/capturepage.h"
#include "app/frameindices.h"
#include "app/frmmain.h"

#include <QApplication>
#include <QClipboard>

namespace kv {

void RunStartCommand(FrmMain& main, StartCommand command) {
    if (command == StartCommand::None) return;
    // A pin stands beside whatever else is open, the editor and dialogs too.
    if (command == StartCommand::Pin) {
        PinClipboardPicture(main);
        return;
    }
    if (QApplication::activeModalWidget()) return;
    if (main.capturePage().Snap && main.capturePage().Snap->isVisible()) return;
    switch (command) {
    case StartCommand::Region:
        main.capturePage().LblColor_Click(Command::RegionCapture);
        break;
    case StartCommand::FullScreen:
        main.capturePage().LblColor_Click(Command::FullScreenCapture);
        break;
    case StartCommand::Window:
        main.capturePage().LblColor_Click(Command::WindowCapture);
        break;
    case StartCommand::Pin:
    case StartCommand::None:
        break;
    }
}

QString NoPictureToPin() {
    return QStringLiteral("the clipboard holds no picture to pin");
}

QString PinClipboardPicture(FrmMain& main) {
    const QImage picture = QApplication::clipboard()->image();
    if (picture.isNull()) {
        main.ShowTip(QStringLiteral("剪贴板中没有图片，无法贴图"));
        return NoPictureToPin();
    }
    main.pinBoard().pinAtPointer(picture);
    return {};
}

} // namespace kv
