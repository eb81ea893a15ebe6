#include "colour/colourformats.h"

#include "colour/colourspaces.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kv {
namespace {

// Whole percent of part / whole, halves away from zero. The quotient is formed in one
// division, so a true half (1 / 200) is exactly 0.5 and not a hair below it.
int percent(int part, int whole) {
    return whole == 0 ? 0 : int(std::lround(100.0 * part / whole));
}

// Fixed decimals without a minus sign on a value that prints as zero ("-0.00").
QString fixed(double value, int decimals) {
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.toDouble() == 0) text.remove(0, 1);
    return text;
}

struct HueParts {
    int hue;     // whole degrees, 0 to 359
    int highest; // the largest and smallest channel
    int lowest;
};

HueParts hueOf(int r, int g, int b) {
    const int highest = std::max({r, g, b}), lowest = std::min({r, g, b});
    const int spread = highest - lowest;
    double hue = 0;
    if (spread == 0)
        hue = 0; // a grey has no hue
    else if (highest == r)
        hue = 60.0 * (g - b) / spread;
    else if (highest == g)
        hue = 60.0 * (b - r) / spread + 120;
    else
        hue = 60.0 * (r - g) / spread + 240;
    if (hue < 0) hue += 360;
    // 359.5 and above round to 360, which is 0 again.
    return {int(std::lround(hue)) % 360, highest, lowest};
}

QString hsl(int r, int g, int b) {
    const HueParts h = hueOf(r, g, b);
    const int sum = h.highest + h.lowest;
    // S = spread / (1 - |2L - 1|), in channel units.
    const int saturation = percent(h.highest - h.lowest, 255 - std::abs(sum - 255));
    return QStringLiteral("hsl(%1, %2%, %3%)").arg(h.hue).arg(saturation).arg(percent(sum, 510));
}

QString hsv(int r, int g, int b) {
    const HueParts h = hueOf(r, g, b);
    return QStringLiteral("hsv(%1, %2%, %3%)")
        .arg(h.hue)
        .arg(percent(h.highest - h.lowest, h.highest))
        .arg(percent(h.highest, 255));
}

QString cmyk(int r, int g, int b) {
    // K = 1 - max(r, g, b); each ink the rest of its channel's gap to that maximum.
    const int highest = std::max({r, g, b});
    return QStringLiteral("cmyk(%1%, %2%, %3%, %4%)")
        .arg(percent(highest - r, highest))
        .arg(percent(highest - g, highest))
        .arg(percent(highest - b, highest))
        .arg(percent(255 - highest, 255));
}

QString lab(int r, int g, int b) {
    const Triple lab = colourspace::cieLabOf(r, g, b);
    return QStringLiteral("lab(%1% %2 %3)").arg(fixed(lab.x, 2), fixed(lab.y, 2), fixed(lab.z, 2));
}

QString oklch(int r, int g, int b) {
    const Triple lch = colourspace::polarFromCartesian(colourspace::oklabOf(r, g, b));
    const QString chroma = fixed(lch.y, 4);
    // Where the chroma shows as none (the greys) the hue means nothing and is 0.
    QString hue = chroma.toDouble() == 0 ? QStringLiteral("0.0") : fixed(lch.z, 1);
    if (hue == u"360.0") hue = QStringLiteral("0.0");
    return QStringLiteral("oklch(%1% %2 %3)").arg(fixed(lch.x * 100, 2), chroma, hue);
}

QString vec3(int r, int g, int b) {
    return QStringLiteral("vec3(%1, %2, %3)")
        .arg(fixed(r / 255.0, 3), fixed(g / 255.0, 3), fixed(b / 255.0, 3));
}

} // namespace

QString FormatColour(ColourFormat format, int red, int green, int blue) {
    switch (format) {
    case ColourFormat::Hsl:
        return hsl(red, green, blue);
    case ColourFormat::Hsv:
        return hsv(red, green, blue);
    case ColourFormat::Cmyk:
        return cmyk(red, green, blue);
    case ColourFormat::Lab:
        return lab(red, green, blue);
    case ColourFormat::Oklch:
        return oklch(red, green, blue);
    case ColourFormat::Vec3:
        return vec3(red, green, blue);
    case ColourFormat::Rgb:
        break;
    }
    return QStringLiteral("rgb(%1 %2 %3)").arg(red).arg(green).arg(blue);
}

} // namespace kv
