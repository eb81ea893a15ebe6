#pragma once

// What a key does to a region editor session: arrows for the pointer and the selection,
// the tool bar's commands, Kolvane's own tools and actions, copying the colour under
// the pointer.
#include "snapshot/editorsession.h"

namespace kv {

// A key while no text box is open; false when the key is not the editor's.
bool EditorSessionKey(EditorSession& session, int key, Qt::KeyboardModifiers modifiers,
                      const KeyContext& context);

// The pixel under `at` as "#RRGGBB" or "RGB(r,g,b)" on the clipboard, named by the
// colour read-out; empty (and nothing copied) off the picture.
QString CopyPixelNotation(EditorSession& session, bool rgb, QPoint at);

} // namespace kv
