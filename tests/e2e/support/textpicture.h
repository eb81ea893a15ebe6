#pragma once

// Text rendered as the text recognition's tests read it back: black lines of 16-pixel
// WenQuanYi Micro Hei on white.
#include <QImage>
#include <QSize>
#include <QStringList>

namespace e2e {

// The lines 20 pixels from the left edge, their baselines `pitch` pixels apart, the
// first `pitch` pixels from the top.
QImage textPicture(QSize size, const QStringList& lines, int pitch = 36);

// A Chinese and an English line that the recognition reads exactly.
inline const QStringList kKnownLines{QStringLiteral("文字识别把截图中的文字复制出来"),
                                     QStringLiteral("Copy the text out of a screenshot")};

} // namespace e2e
