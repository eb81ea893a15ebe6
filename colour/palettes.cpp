// The palette pictures' layouts and colours: the web's named colours, the web-safe
// colours in two arrangements.
#include "colour/palettes.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// Lefts from widths and a one-pixel white line after every cell.
std::vector<int> edgesFrom(int first, const std::vector<int>& sizes) {
    std::vector<int> edges;
    int at = first;
    for (int size : sizes) {
        edges.push_back(at);
        at += size + 1;
    }
    return edges;
}

// The web's named colours; the grey names come in one spelling each, and the
// spelling decides where they fall in the alphabet (LightGrey after LightGreen, the
// others with "Gray").
const NamedColour kCssColours[] = {
    {"AliceBlue", 0xF0F8FF},
    {"AntiqueWhite", 0xFAEBD7},
    {"Aqua", 0x00FFFF},
    {"Aquamarine", 0x7FFFD4},
    {"Azure", 0xF0FFFF},
    {"Beige", 0xF5F5DC},
    {"Bisque", 0xFFE4C4},
    {"Black", 0x000000},
    {"BlanchedAlmond", 0xFFEBCD},
    {"Blue", 0x0000FF},
    {"BlueViolet", 0x8A2BE2},
    {"Brown", 0xA52A2A},
    {"BurlyWood", 0xDEB887},
    {"CadetBlue", 0x5F9EA0},
    {"Chartreuse", 0x7FFF00},
    {"Chocolate", 0xD2691E},
    {"Coral", 0xFF7F50},
    {"CornflowerBlue", 0x6495ED},
    {"Cornsilk", 0xFFF8DC},
    {"Crimson", 0xDC143C},
    {"Cyan", 0x00FFFF},
    {"DarkBlue", 0x00008B},
    {"DarkCyan", 0x008B8B},
    {"DarkGoldenRod", 0xB8860B},
    {"DarkGray", 0xA9A9A9},
    {"DarkGreen", 0x006400},
    {"DarkKhaki", 0xBDB76B},
    {"DarkMagenta", 0x8B008B},
    {"DarkOliveGreen", 0x556B2F},
    {"DarkOrange", 0xFF8C00},
    {"DarkOrchid", 0x9932CC},
    {"DarkRed", 0x8B0000},
    {"DarkSalmon", 0xE9967A},
    {"DarkSeaGreen", 0x8FBC8B},
    {"DarkSlateBlue", 0x483D8B},
    {"DarkSlateGray", 0x2F4F4F},
    {"DarkTurquoise", 0x00CED1},
    {"DarkViolet", 0x9400D3},
    {"DeepPink", 0xFF1493},
    {"DeepSkyBlue", 0x00BFFF},
    {"DimGray", 0x696969},
    {"DodgerBlue", 0x1E90FF},
    {"FireBrick", 0xB22222},
    {"FloralWhite", 0xFFFAF0},
    {"ForestGreen", 0x228B22},
    {"Fuchsia", 0xFF00FF},
    {"Gainsboro", 0xDCDCDC},
    {"GhostWhite", 0xF8F8FF},
    {"Gold", 0xFFD700},
    {"GoldenRod", 0xDAA520},
    {"Gray", 0x808080},
    {"Green", 0x008000},
    {"GreenYellow", 0xADFF2F},
    {"HoneyDew", 0xF0FFF0},
    {"HotPink", 0xFF69B4},
    {"IndianRed", 0xCD5C5C},
    {"Indigo", 0x4B0082},
    {"Ivory", 0xFFFFF0},
    {"Khaki", 0xF0E68C},
    {"Lavender", 0xE6E6FA},
    {"LavenderBlush", 0xFFF0F5},
    {"LawnGreen", 0x7CFC00},
    {"LemonChiffon", 0xFFFACD},
    {"LightBlue", 0xADD8E6},
    {"LightCoral", 0xF08080},
    {"LightCyan", 0xE0FFFF},
    {"LightGoldenRodYellow", 0xFAFAD2},
    {"LightGreen", 0x90EE90},
    {"LightGrey", 0xD3D3D3},
    {"LightPink", 0xFFB6C1},
    {"LightSalmon", 0xFFA07A},
    {"LightSeaGreen", 0x20B2AA},
    {"LightSkyBlue", 0x87CEFA},
    {"LightSlateGray", 0x778899},
    {"LightSteelBlue", 0xB0C4DE},
    {"LightYellow", 0xFFFFE0},
    {"Lime", 0x00FF00},
    {"LimeGreen", 0x32CD32},
    {"Linen", 0xFAF0E6},
    {"Magenta", 0xFF00FF},
    {"Maroon", 0x800000},
    {"MediumAquaMarine", 0x66CDAA},
    {"MediumBlue", 0x0000CD},
    {"MediumOrchid", 0xBA55D3},
    {"MediumPurple", 0x9370DB},
    {"MediumSeaGreen", 0x3CB371},
    {"MediumSlateBlue", 0x7B68EE},
    {"MediumSpringGreen", 0x00FA9A},
    {"MediumTurquoise", 0x48D1CC},
    {"MediumVioletRed", 0xC71585},
    {"MidnightBlue", 0x191970},
    {"MintCream", 0xF5FFFA},
    {"MistyRose", 0xFFE4E1},
    {"Moccasin", 0xFFE4B5},
    {"NavajoWhite", 0xFFDEAD},
    {"Navy", 0x000080},
    {"OldLace", 0xFDF5E6},
    {"Olive", 0x808000},
    {"OliveDrab", 0x6B8E23},
    {"Orange", 0xFFA500},
    {"OrangeRed", 0xFF4500},
    {"Orchid", 0xDA70D6},
    {"PaleGoldenRod", 0xEEE8AA},
    {"PaleGreen", 0x98FB98},
    {"PaleTurquoise", 0xAFEEEE},
    {"PaleVioletRed", 0xDB7093},
    {"PapayaWhip", 0xFFEFD5},
    {"PeachPuff", 0xFFDAB9},
    {"Peru", 0xCD853F},
    {"Pink", 0xFFC0CB},
    {"Plum", 0xDDA0DD},
    {"PowderBlue", 0xB0E0E6},
    {"Purple", 0x800080},
    {"Red", 0xFF0000},
    {"RosyBrown", 0xBC8F8F},
    {"RoyalBlue", 0x4169E1},
    {"SaddleBrown", 0x8B4513},
    {"Salmon", 0xFA8072},
    {"SandyBrown", 0xF4A460},
    {"SeaGreen", 0x2E8B57},
    {"SeaShell", 0xFFF5EE},
    {"Sienna", 0xA0522D},
    {"Silver", 0xC0C0C0},
    {"SkyBlue", 0x87CEEB},
    {"SlateBlue", 0x6A5ACD},
    {"SlateGray", 0x708090},
    {"Snow", 0xFFFAFA},
    {"SpringGreen", 0x00FF7F},
    {"SteelBlue", 0x4682B4},
    {"Tan", 0xD2B48C},
    {"Teal", 0x008080},
    {"Thistle", 0xD8BFD8},
    {"Tomato", 0xFF6347},
    {"Turquoise", 0x40E0D0},
    {"Violet", 0xEE82EE},
    {"Wheat", 0xF5DEB3},
    {"White", 0xFFFFFF},
    {"WhiteSmoke", 0xF5F5F5},
    {"Yellow", 0xFFFF00},
    {"YellowGreen", 0x9ACD32},
};

} // namespace

const std::vector<NamedColour>& CssNamedColours() {
    static const std::vector<NamedColour> colours = [] {
        std::vector<NamedColour> list(std::begin(kCssColours), std::end(kCssColours));
        // Keep the table honest: whatever order it is typed in, the palette follows
        // the alphabet of the names, letter case aside.
        std::stable_sort(list.begin(), list.end(), [](const NamedColour& a, const NamedColour& b) {
            return QLatin1String(a.name).compare(QLatin1String(b.name), Qt::CaseInsensitive) < 0;
        });
        for (NamedColour& c : list)
            c.rgb |= 0xFF000000u;
        return list;
    }();
    return colours;
}

PaletteLayout WebPaletteLayout() {
    PaletteLayout p;
    p.width = 189;
    p.height = 174;
    p.columnWidths = {14, 15, 14, 15, 14, 15, 14, 14, 15, 14, 15, 14};
    p.columnLefts = edgesFrom(3, p.columnWidths);
    p.rowHeights = {13, 13, 13, 13, 13, 14, 13, 13, 13, 13, 13, 13};
    p.rowTops = edgesFrom(3, p.rowHeights);
    for (const NamedColour& c : CssNamedColours())
        p.colours.push_back(c.rgb);
    return p;
}

PaletteLayout ComputerPaletteLayout() {
    PaletteLayout p;
    p.width = 188;
    p.height = 172;
    p.columnWidths = {11, 10, 11, 10, 11, 10, 11, 11, 10, 11, 10, 11, 10, 11, 10, 11};
    p.columnLefts = edgesFrom(2, p.columnWidths);
    p.rowHeights = {11, 11, 11, 11, 11, 11, 12, 11, 11, 11, 11, 11, 11, 11};
    p.rowTops = edgesFrom(2, p.rowHeights);
    // White first, then around the hue circle from yellow to olive, then the greys.
    static const QRgb table[216] = {
        0xFFFFFF, 0xFFFFCC, 0xFFFF99, 0xFFFF66, 0xFFFF33, 0xFFFF00, 0xCCCC00, 0xFFCC66, 0xFFCC00,
        0xFFCC33, 0xCC9900, 0xCC9933, 0x996600, 0xFF9900, 0xFF9933, 0xCC9966, 0xCC6600, 0x996633,
        0x663300, 0xFFCC99, 0xFF9966, 0xFF6600, 0xCC6633, 0x993300, 0x660000, 0xFF6633, 0xCC3300,
        0xFF3300, 0xFF0000, 0xCC0000, 0x990000, 0xFFCCCC, 0xFF9999, 0xFF6666, 0xFF3333, 0xFF0033,
        0xCC0033, 0xCC9999, 0xCC6666, 0xCC3333, 0x993333, 0x990033, 0x330000, 0xFF6699, 0xFF3366,
        0xFF0066, 0xCC3366, 0x996666, 0x663333, 0xFF99CC, 0xFF3399, 0xFF0099, 0xCC0066, 0x993366,
        0x660033, 0xFF66CC, 0xFF00CC, 0xFF33CC, 0xCC6699, 0xCC0099, 0x990066, 0xFFCCFF, 0xFF99FF,
        0xFF66FF, 0xFF33FF, 0xFF00FF, 0xCC3399, 0xCC99CC, 0xCC66CC, 0xCC00CC, 0xCC33CC, 0x990099,
        0x993399, 0xCC66FF, 0xCC33FF, 0xCC00FF, 0x9900CC, 0x996699, 0x660066, 0xCC99FF, 0x9933CC,
        0x9933FF, 0x9900FF, 0x660099, 0x663366, 0x9966CC, 0x9966FF, 0x6600CC, 0x6633CC, 0x663399,
        0x330033, 0xCCCCFF, 0x9999FF, 0x6633FF, 0x6600FF, 0x330099, 0x330066, 0x9999CC, 0x6666FF,
        0x6666CC, 0x666699, 0x333399, 0x333366, 0x3333FF, 0x3300FF, 0x3300CC, 0x3333CC, 0x000099,
        0x000066, 0x6699FF, 0x3366FF, 0x0000FF, 0x0000CC, 0x0033CC, 0x000033, 0x0066FF, 0x0066CC,
        0x3366CC, 0x0033FF, 0x003399, 0x003366, 0x99CCFF, 0x3399FF, 0x0099FF, 0x6699CC, 0x336699,
        0x006699, 0x66CCFF, 0x33CCFF, 0x00CCFF, 0x3399CC, 0x0099CC, 0x003333, 0x99CCCC, 0x66CCCC,
        0x339999, 0x669999, 0x006666, 0x336666, 0xCCFFFF, 0x99FFFF, 0x66FFFF, 0x33FFFF, 0x00FFFF,
        0x00CCCC, 0x99FFCC, 0x66FFCC, 0x33FFCC, 0x00FFCC, 0x33CCCC, 0x009999, 0x66CC99, 0x33CC99,
        0x00CC99, 0x339966, 0x009966, 0x006633, 0x66FF99, 0x33FF99, 0x00FF99, 0x33CC66, 0x00CC66,
        0x009933, 0x99FF99, 0x66FF66, 0x33FF66, 0x00FF66, 0x339933, 0x006600, 0xCCFFCC, 0x99CC99,
        0x66CC66, 0x669966, 0x336633, 0x003300, 0x33FF33, 0x00FF33, 0x00FF00, 0x00CC00, 0x33CC33,
        0x00CC33, 0x66FF00, 0x66FF33, 0x33FF00, 0x33CC00, 0x339900, 0x009900, 0xCCFF99, 0x99FF66,
        0x66CC00, 0x66CC33, 0x669933, 0x336600, 0x99FF00, 0x99FF33, 0x99CC66, 0x99CC00, 0x99CC33,
        0x669900, 0xCCFF66, 0xCCFF00, 0xCCFF33, 0xCCCC99, 0x666633, 0x333300, 0xCCCC66, 0xCCCC33,
        0x999966, 0x999933, 0x999900, 0x666600, 0xCCCCCC, 0x999999, 0x666666, 0x333333, 0x000000,
    };
    for (QRgb c : table)
        p.colours.push_back(c | 0xFF000000u);
    return p;
}

PaletteLayout GradientPaletteLayout() {
    PaletteLayout p;
    p.width = 188;
    p.height = 173;
    p.columnLefts = {1, 12, 23, 33, 43, 53, 64, 74, 84, 95, 105, 115, 125, 136, 146, 156, 166, 177};
    p.columnWidths = {10, 10, 9, 9, 9, 10, 9, 9, 10, 9, 9, 9, 10, 9, 9, 9, 10, 9};
    p.rowHeights = {14, 13, 13, 13, 13, 14, 13, 13, 13, 13, 13, 13};
    p.rowTops = edgesFrom(2, p.rowHeights);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 18; ++c)
            p.colours.push_back(qRgb(51 * (c / 3), 51 * (2 * (c % 3) + r / 6), 51 * (r % 6)));
    return p;
}

QImage DrawPalette(const PaletteLayout& p) {
    QImage image(p.width, p.height, QImage::Format_RGB32);
    image.fill(kWhite);
    const std::size_t columns = p.columnLefts.size();
    for (std::size_t i = 0; i < p.colours.size(); ++i) {
        const std::size_t row = i / columns, column = i % columns;
        if (row >= p.rowTops.size()) break;
        const QRect cell(p.columnLefts[column], p.rowTops[row], p.columnWidths[column],
                         p.rowHeights[row]);
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(line + cell.left(), line + cell.right() + 1, p.colours[i]);
        }
    }
    return image;
}

} // namespace kv
