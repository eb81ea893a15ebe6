#pragma once

// The icons of Kolvane's own editor actions on the second bar, drawn in code in the
// tool bar's style.
class QPainter;

namespace kv {

void paintPinIcon(QPainter& p);
void paintRecogniseIcon(QPainter& p);
void paintLongCaptureIcon(QPainter& p);

} // namespace kv
