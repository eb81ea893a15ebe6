// Running a command from the command line or a second start as a click on its label.
#include "app/startcommand.h"

#include "app/capturepage.h"
#include "app/frmmain.h"

#include <QApplication>

namespace kv {

void RunStartCommand(FrmMain& main, StartCommand command) {
    if (command == StartCommand::None) return;
    if (QApplication::activeModalWidget()) return;
    if (main.capturePage().Snap && main.capturePage().Snap->isVisible()) return;
    switch (command) {
    case StartCommand::Region:
        main.capturePage().LblColor_Click(6);
        break;
    case StartCommand::FullScreen:
        main.capturePage().LblColor_Click(7);
        break;
    case StartCommand::Window:
        main.capturePage().LblColor_Click(5);
        break;
    case StartCommand::None:
        break;
    }
}

} // namespace kv
