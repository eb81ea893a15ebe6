#pragma once

#include <QRgb>
#include <QString>

namespace kv {

// WCAG 2's relative luminance of an sRGB colour, 0 (black) to 1 (white).
double RelativeLuminance(QRgb colour);
// WCAG 2's contrast ratio of two colours, 1 (equal) to 21 (black and white).
double ContrastRatio(QRgb first, QRgb second);
// The highest WCAG 2 level the ratio passes for text: "AAA" (7 or more), "AA" (4.5),
// "AA 大字" (3, large text only), or empty. Judged on the ratio itself, never on
// its rounded figure, as WCAG asks: 4.499 does not pass AA.
QString ContrastMark(double ratio);
// "3.24:1 AA 大字": the ratio with two decimals, and its mark where it passes.
QString ContrastFigure(double ratio);
// "对比度 白 3.24:1 AA 大字 · 黑 6.49:1 AA": against white and against black.
QString ContrastLine(QRgb colour);
// "对比度 上一颜色 #FFFFFF 3.24:1 AA 大字": against another colour, named by its HTML
// notation.
QString ContrastWithLine(QRgb colour, QRgb other);

} // namespace kv
