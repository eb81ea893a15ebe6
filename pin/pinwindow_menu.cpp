// A pin's right-click menu.
#include "pin/pinwindow.h"

#include <QMenu>

namespace kv {

void PinWindow::showMenu(QPoint globalPos) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("复制"), this, &PinWindow::copyPicture);
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    QAction* save = menu.addAction(QStringLiteral("另存为…"), this, &PinWindow::savePicture);
    save->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    if (context_.recognizeText) {
        menu.addAction(QStringLiteral("文字识别"), this,
                       [this] { context_.recognizeText(picture()); });
    }
    menu.addSeparator();
    QAction* actual = menu.addAction(QStringLiteral("原始大小"), this, &PinWindow::actualSize);
    actual->setShortcut(QKeySequence(QStringLiteral("1")));
    QAction* onTop = menu.addAction(QStringLiteral("置顶"));
    onTop->setCheckable(true);
    onTop->setChecked(staysOnTop());
    connect(onTop, &QAction::toggled, this, &PinWindow::setStaysOnTop);
    menu.addSeparator();
    QAction* closeOne = menu.addAction(QStringLiteral("关闭"), this, &QWidget::close);
    closeOne->setShortcut(QKeySequence(Qt::Key_Escape));
    menu.addAction(QStringLiteral("关闭全部贴图"), this, &PinWindow::closeAllAsked);
    // The shortcuts are the pin's own keys, shown here as a reminder only.
    for (QAction* a : menu.actions())
        a->setShortcutContext(Qt::WidgetShortcut);
    menu.exec(globalPos);
}

} // namespace kv
