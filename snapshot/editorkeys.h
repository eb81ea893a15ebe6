#pragma once

// The region editor's keys (pointer and selection nudges, copying a pixel), as plain
// logic.
#include <QPoint>
#include <QtCore/qnamespace.h>

namespace kv {

// What a key does in the region editor (while no text box takes the keys).
enum class EditorKeyAction {
    None,
    Nudge,             // arrows: the pointer, or a finished selection, by `step`
    ResizeBottomRight, // Ctrl+arrows: the selection's bottom-right edge by `step`
    Undo,              // Ctrl+Z, as the undo button
    Redo,              // Ctrl+Y, as the redo button
    Finish,            // Enter, as "完成截图"
    CopyHtml,          // C: the pixel under the pointer as "#RRGGBB"
    CopyRgb,           // Shift+C: the same pixel as "RGB(r,g,b)"
    Close,             // Esc (with any modifiers): leave without a picture
};

struct EditorKey {
    EditorKeyAction action = EditorKeyAction::None;
    QPoint step; // for Nudge and ResizeBottomRight
};

// Arrows step 1 pixel, 10 with Shift; any other modifier combination, and keys
// not listed above, do nothing.
constexpr int kNudgeSmall = 1;
constexpr int kNudgeLarge = 10;
EditorKey EditorKeyFor(int key, Qt::KeyboardModifiers modifiers);

} // namespace kv
