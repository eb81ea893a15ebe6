// The region editor's buttons: the tool bar's commands and tools, and Kolvane's own on
// the second bar.
#include "snapshot/editoractions.h"
#include "snapshot/editorsession.h"
#include "snapshot/toolbar_layout.h"

namespace kv {

void EditorSession::clickButton(int index) {
    switch (index) {
    case kUndoButton:
        Undo();
        break;
    case kRedoButton:
        Redo();
        break;
    case kFinishButton:
    case kSaveButton:
        effects_.finishRegion();
        break;
    case kExitButton:
        strokes_.setLastToolIndex(index);
        // The editor unloads itself here; nothing of it is touched afterwards.
        effects_.closeEditor();
        return;
    default:
        if (const EditorAction action = actionOfButton(index); action != EditorAction::None) {
            effects_.editorAction(int(action));
            return;
        }
        strokes_.arm(index);
        break;
    }
    strokes_.setLastToolIndex(index);
}

void EditorSession::textChanged(const QString& text) {
    if (text != view_.textBox.text) strokes_.textChanged(text);
}

} // namespace kv
