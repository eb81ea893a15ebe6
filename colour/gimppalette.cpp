#include "colour/gimppalette.h"

#include "colour/notations.h"

namespace kv {

QByteArray GimpPaletteText(const std::vector<QRgb>& colours, const QString& name) {
    // A line break in the name would end the header line early.
    QString oneLine = name;
    oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '));
    QString text =
        QStringLiteral("GIMP Palette\nName: ") + oneLine + QStringLiteral("\nColumns: 0\n#\n");
    for (QRgb colour : colours) {
        const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
        // GIMP's own layout: channels right-aligned in three places, a tab, the name.
        text += QStringLiteral("%1 %2 %3\t%4\n")
                    .arg(r, 3)
                    .arg(g, 3)
                    .arg(b, 3)
                    .arg(FormatColourNotations(r, g, b)[0]);
    }
    return text.toUtf8();
}

} // namespace kv
