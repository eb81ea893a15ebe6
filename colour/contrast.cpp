#include "colour/contrast.h"

#include "colour/notations.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// WCAG 2 writes the curve's knee as 0.03928 (sRGB's own is 0.04045); no 8-bit value
// lies between the two, so both give the same luminance here.
double linearChannel(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

QString htmlOf(QRgb colour) {
    return FormatColourNotations(qRed(colour), qGreen(colour), qBlue(colour))[0];
}

} // namespace

double RelativeLuminance(QRgb colour) {
    return 0.2126 * linearChannel(qRed(colour)) + 0.7152 * linearChannel(qGreen(colour)) +
           0.0722 * linearChannel(qBlue(colour));
}

double ContrastRatio(QRgb first, QRgb second) {
    const double a = RelativeLuminance(first), b = RelativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QString ContrastMark(double ratio) {
    if (ratio >= 7) return QStringLiteral("AAA");
    if (ratio >= 4.5) return QStringLiteral("AA");
    if (ratio >= 3) return QStringLiteral("AA 大字");
    return {};
}

QString ContrastFigure(double ratio) {
    // Two decimals, halves away from zero (the ratio is never negative).
    QString text = QString::number(std::round(ratio * 100) / 100, 'f', 2) + QStringLiteral(":1");
    const QString mark = ContrastMark(ratio);
    if (!mark.isEmpty()) text += QLatin1Char(' ') + mark;
    return text;
}

QString ContrastLine(QRgb colour) {
    return QStringLiteral("对比度 白 %1 · 黑 %2")
        .arg(ContrastFigure(ContrastRatio(colour, qRgb(255, 255, 255))),
             ContrastFigure(ContrastRatio(colour, qRgb(0, 0, 0))));
}

QString ContrastWithLine(QRgb colour, QRgb other) {
    return QStringLiteral("对比度 上一颜色 %1 %2")
        .arg(htmlOf(other), ContrastFigure(ContrastRatio(colour, other)));
}

} // namespace kv
