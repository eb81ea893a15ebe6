#pragma once

// The main window's painted frame, drawn at the window's scale.
#include "platform/units.h"

#include <QFont>
#include <QSize>

class QPainter;

namespace kv {

// Panels, header chips and titles, the separator and the visible border of a window of
// `size` (screen pixels) in `font`, the window's.
void paintFramePanels(QPainter& p, const UiScale& ui, const QFont& font, QSize size);

} // namespace kv
