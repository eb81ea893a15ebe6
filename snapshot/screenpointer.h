#pragma once

#include <Qt>

namespace kv {

// The pointer shape for the whole application (over every window), as the editor sets
// it while the user selects and drags. Never more than one override is stacked.
void setScreenPointer(Qt::CursorShape shape);
// Back to each window's own pointer.
void resetScreenPointer();
// The shape set for the whole application, or nothing (Qt::BitmapCursor is never used).
bool screenPointerIs(Qt::CursorShape shape);

} // namespace kv
