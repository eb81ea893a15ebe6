// The editor's keys, handed to the session, and what the session asks of the window
// for them: moving the pointer and the clipboard.
#include "platform/pointer.h"
#include "snapshot/frmsnap.h"
#include "snapshot/sessionkeys.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kv {

const QString& FrmSnap::keysTip() {
    static const QString tip =
        QStringLiteral("方向键移动1像素(Shift:10)，Ctrl+方向键调整右下边，Ctrl+Z撤销，Ctrl+Y重做，"
                       "Enter完成，C/Shift+C复制颜色，Tab选窗口，M马赛克，N序号，P贴图，O文字识别，"
                       "L长截图");
    return tip;
}

bool FrmSnap::EditorKeyPress(int key, Qt::KeyboardModifiers modifiers) {
    const QPoint pointer = PointerScreenPos();
    KeyContext context;
    context.buttonHeld = QGuiApplication::mouseButtons() != Qt::NoButton;
    context.pointer = pointer;
    context.pointerInEditor = mapFromGlobal(pointer);
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
        context.windowsAtPointer = windowTree_.chainAt(context.pointerInEditor);
    const bool handled = EditorSessionKey(session_, key, modifiers, context);
    if (handled && !unloaded_) applyView();
    return handled;
}

void FrmSnap::CopyPixelNotation(bool rgb) {
    kv::CopyPixelNotation(session_, rgb, mapFromGlobal(PointerScreenPos()));
    applyView();
}

void FrmSnap::warpPointer(QPoint desktopPos) {
    WarpPointer(desktopPos);
}

void FrmSnap::copyText(const QString& text) {
    QClipboard* clip = QGuiApplication::clipboard();
    clip->clear();
    clip->setText(text);
}

} // namespace kv
