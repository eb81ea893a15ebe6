#pragma once

#include <QByteArray>
#include <QRgb>
#include <QString>
#include <vector>

namespace kv {

// A palette file as GIMP writes it (.gpl, read by GIMP, Inkscape and Krita), UTF-8:
// the header with the palette's name, then one colour a line, its channels in
// decimal and its name, the HTML notation "#RRGGBB".
QByteArray GimpPaletteText(const std::vector<QRgb>& colours, const QString& name);

} // namespace kv
