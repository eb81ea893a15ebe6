// What each key does in the region editor.
#include "snapshot/editorkeys.h"

namespace kv {

namespace {

QPoint arrowDirection(int key) {
    switch (key) {
    case Qt::Key_Left:
        return {-1, 0};
    case Qt::Key_Right:
        return {1, 0};
    case Qt::Key_Up:
        return {0, -1};
    case Qt::Key_Down:
        return {0, 1};
    default:
        return {};
    }
}

} // namespace

EditorKey EditorKeyFor(int key, Qt::KeyboardModifiers modifiers) {
    // Arrows and Enter on the number pad are the same keys.
    modifiers &= ~Qt::KeypadModifier;
    // Esc leaves whatever else is held, as it always has.
    if (key == Qt::Key_Escape) return {EditorKeyAction::Close, {}};
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (modifiers & ~(Qt::ShiftModifier | Qt::ControlModifier)) return {};

    if (const QPoint dir = arrowDirection(key); !dir.isNull()) {
        const QPoint step = dir * (shift ? kNudgeLarge : kNudgeSmall);
        return {ctrl ? EditorKeyAction::ResizeBottomRight : EditorKeyAction::Nudge, step};
    }
    if (ctrl) {
        if (shift) return {};
        if (key == Qt::Key_Z) return {EditorKeyAction::Undo, {}};
        if (key == Qt::Key_Y) return {EditorKeyAction::Redo, {}};
        return {};
    }
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return shift ? EditorKey{} : EditorKey{EditorKeyAction::Finish, {}};
    case Qt::Key_C:
        return {shift ? EditorKeyAction::CopyRgb : EditorKeyAction::CopyHtml, {}};
    default:
        return {};
    }
}

} // namespace kv
