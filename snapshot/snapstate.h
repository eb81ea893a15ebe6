#pragma once

#include "snapshot/selection.h"
#include "snapshot/toolkind.h"
#include "snapshot/tooloptions.h"

#include <QPoint>
#include <QString>

namespace kv {

// The region editor's state, as every load starts it: the editor assigns a fresh
// SnapState at each load, so nothing of an earlier opening is carried over.
struct SnapState {
    QString Status; // "draw" (no selection yet) or "move" (a selection exists)
    // While a selection is dragged out: its anchor; otherwise the selection's top-left
    // corner as of the last release or handle drag, the base of a move.
    float originX = 0, originY = 0;
    float downX = 0, downY = 0; // the last press on the surface
    SelRect selRect;            // the selection in pixels at the last press that tested it
    int justCleared = 0; // 1: the last press cleared a selection, so a non-left release stays
    QString handleDrag;  // "Start" while a handle is held, "Stop" after
    float pressLeft = 0, pressTop = 0, pressRight = 0, pressBottom = 0; // at a handle press
    QPoint dragCursor;                  // the pointer during a handle drag
    bool toolMode = false;              // presses draw instead of selecting
    ToolKind toolKind = ToolKind::None; // the tool armed last
    int lastToolIndex = 0;              // the tool-bar button clicked last
    bool drawing = false;               // a stroke is in progress
    ToolOptions toolOptions;            // as the option bar set them
};

} // namespace kv
