#pragma once

// The region editor's look in one place: the bars' colours and the read-outs' style.
#include <QColor>

namespace kv {

// The tool bar, the option bar and Kolvane's own second bar.
inline const QColor kBarBackground{222, 238, 255};
inline const QColor kBarOutline{128, 128, 255};
inline const QColor kBarSeparator{192, 192, 255};
inline const QColor kBarHoverFrame{36, 143, 251};

// The read-outs at the selection's corner: red text, 12 pixels high.
inline const QColor kReadOutColour{255, 0, 0};
inline constexpr int kReadOutPixelSize = 12;

// The gap between the tool bar and the second bar beside it.
inline constexpr int kSecondBarGap = 4;

} // namespace kv
