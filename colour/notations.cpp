#include "colour/notations.h"

namespace kv {
namespace {

QString hex2(int channel) {
    return QStringLiteral("%1").arg(channel, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

std::array<QString, Notation::Count> FormatColourNotations(int red, int green, int blue) {
    // The VB, C++ and Delphi forms list blue first, as the colour value's own
    // byte order; HTML lists red first.
    const QString bgr = hex2(blue) + hex2(green) + hex2(red);
    return {
        QLatin1Char('#') + hex2(red) + hex2(green) + hex2(blue),
        QString::number(ColourValue(red, green, blue)),
        QStringLiteral("RGB(%1,%2,%3)").arg(red).arg(green).arg(blue),
        QStringLiteral("&H00") + bgr + QLatin1Char('&'),
        QStringLiteral("0x") + bgr,
        QStringLiteral("$00") + bgr,
    };
}

} // namespace kv
