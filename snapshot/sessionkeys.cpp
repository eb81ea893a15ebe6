// What each key does to the region editor session.
#include "snapshot/sessionkeys.h"

#include "colour/notations.h"
#include "snapshot/editoractions.h"
#include "snapshot/editorkeys.h"
#include "snapshot/toolbar_layout.h"

namespace kv {

namespace {

// False when the key ended the editor's showing or should not count as using the keys.
bool keyAction(EditorSession& session, const EditorKey& k, const KeyContext& context) {
    const bool held = context.buttonHeld;
    const bool selected = session.stage() == SelectionStage::Selected;
    switch (k.action) {
    case EditorKeyAction::Nudge:
        if (held || !selected || session.toolMode())
            // The pointer really moves: the move that follows drags whatever the
            // button holds.
            session.effects().warpPointer(
                clampInto(context.pointer + k.step, session.monitors().desktop()));
        else
            session.NudgeSelection(k.step);
        break;
    case EditorKeyAction::ResizeBottomRight:
        if (!held && selected) session.ResizeBottomRightBy(k.step);
        break;
    case EditorKeyAction::Undo:
    case EditorKeyAction::Redo:
        if (!held && selected)
            session.clickButton(k.action == EditorKeyAction::Undo ? kUndoButton : kRedoButton);
        break;
    case EditorKeyAction::Finish:
        // Only where the tool bar's "完成截图" could be clicked.
        if (!held && session.view().toolBarShown) session.clickButton(kFinishButton);
        return false;
    case EditorKeyAction::CopyHtml:
    case EditorKeyAction::CopyRgb:
        CopyPixelNotation(session, k.action == EditorKeyAction::CopyRgb, context.pointerInEditor);
        break;
    case EditorKeyAction::None:
    case EditorKeyAction::Close:
        break;
    }
    return true;
}

} // namespace

bool EditorSessionKey(EditorSession& session, int key, Qt::KeyboardModifiers modifiers,
                      const KeyContext& context) {
    // An open text box takes every key itself.
    if (session.view().textBox.open) return false;
    // Kolvane's own tools and actions: a plain key each, with a selection.
    if (const int button = secondBarButtonForKey(key);
        button >= 0 && !(modifiers & ~Qt::KeypadModifier)) {
        if (session.stage() != SelectionStage::Selected || context.buttonHeld) return false;
        session.markKeysUsed();
        session.clickButton(button);
        return true;
    }
    const EditorKey k = EditorKeyFor(key, modifiers);
    if (k.action == EditorKeyAction::None) return false;
    if (k.action == EditorKeyAction::Close) {
        session.effects().closeEditor();
        return true;
    }
    if (keyAction(session, k, context)) session.markKeysUsed();
    return true;
}

QString CopyPixelNotation(EditorSession& session, bool rgb, QPoint at) {
    const int value = session.surfacePixel(float(at.x()), float(at.y()));
    if (value < 0) return {};
    const auto texts = FormatColourNotations(value & 0xff, (value >> 8) & 0xff, value >> 16);
    const QString text = texts[rgb ? 2 : 0];
    session.effects().copyText(text);
    session.showCopied(text, at);
    return text;
}

} // namespace kv
