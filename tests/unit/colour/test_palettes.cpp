// The three palette pictures: cell edges, white separators and cell colours.
#include "colour/palettes.h"

#include <QtTest>
#include <set>

using namespace kv;

namespace {

struct Grid {
    QSize size;
    std::vector<int> lefts, widths, tops, heights;
};

// Edges as they are laid out for the user, typed independently of the drawing code.
Grid gridOf(const QString& name) {
    if (name == "web")
        return {{189, 174},
                {3, 18, 34, 49, 65, 80, 96, 111, 126, 142, 157, 173},
                {14, 15, 14, 15, 14, 15, 14, 14, 15, 14, 15, 14},
                {3, 17, 31, 45, 59, 73, 88, 102, 116, 130, 144, 158},
                {13, 13, 13, 13, 13, 14, 13, 13, 13, 13, 13, 13}};
    if (name == "computer")
        return {{188, 172},
                {2, 14, 25, 37, 48, 60, 71, 83, 95, 106, 118, 129, 141, 152, 164, 175},
                {11, 10, 11, 10, 11, 10, 11, 11, 10, 11, 10, 11, 10, 11, 10, 11},
                {2, 14, 26, 38, 50, 62, 74, 87, 99, 111, 123, 135, 147, 159},
                {11, 11, 11, 11, 11, 11, 12, 11, 11, 11, 11, 11, 11, 11}};
    return {{188, 173},
            {1, 12, 23, 33, 43, 53, 64, 74, 84, 95, 105, 115, 125, 136, 146, 156, 166, 177},
            {10, 10, 9, 9, 9, 10, 9, 9, 10, 9, 9, 9, 10, 9, 9, 9, 10, 9},
            {2, 17, 31, 45, 59, 73, 88, 102, 116, 130, 144, 158},
            {14, 13, 13, 13, 13, 14, 13, 13, 13, 13, 13, 13}};
}

PaletteLayout layoutOf(const QString& name) {
    if (name == "web") return WebPaletteLayout();
    if (name == "computer") return ComputerPaletteLayout();
    return GradientPaletteLayout();
}

QRgb cellAt(const QImage& image, const Grid& g, int row, int column) {
    return image.pixel(g.lefts[column] + 2, g.tops[row] + 2) & 0xFFFFFF;
}

} // namespace

class TestPalettes : public QObject {
    Q_OBJECT
private slots:
    void cellsAndSeparators_data();
    void cellsAndSeparators();
    void colours_data();
    void colours();
    void webPaletteOrder();
    void safeColoursEachOnce_data();
    void safeColoursEachOnce();
};

void TestPalettes::cellsAndSeparators_data() {
    QTest::addColumn<QString>("palette");
    QTest::addColumn<int>("cells");
    QTest::newRow("web") << "web" << 140;
    QTest::newRow("computer") << "computer" << 216;
    QTest::newRow("gradient") << "gradient" << 216;
}

void TestPalettes::cellsAndSeparators() {
    QFETCH(QString, palette);
    QFETCH(int, cells);
    const Grid g = gridOf(palette);
    const QImage image = DrawPalette(layoutOf(palette));
    QCOMPARE(image.size(), g.size);
    // Every pixel belongs to exactly the cell whose edges contain it, or is white.
    const int columns = int(g.lefts.size());
    int filled = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            int row = -1, column = -1;
            for (int r = 0; r < int(g.tops.size()); ++r)
                if (y >= g.tops[r] && y < g.tops[r] + g.heights[r]) row = r;
            for (int c = 0; c < columns; ++c)
                if (x >= g.lefts[c] && x < g.lefts[c] + g.widths[c]) column = c;
            const QRgb p = image.pixel(x, y) & 0xFFFFFF;
            if (row < 0 || column < 0 || row * columns + column >= cells) {
                QVERIFY2(p == 0xFFFFFF, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
            } else {
                QCOMPARE(p, cellAt(image, g, row, column));
                ++filled;
            }
        }
    }
    int area = 0;
    for (int i = 0; i < cells; ++i)
        area += g.widths[i % columns] * g.heights[i / columns];
    QCOMPARE(filled, area);
}

void TestPalettes::colours_data() {
    QTest::addColumn<QString>("palette");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("web first AliceBlue") << "web" << 0 << 0 << QRgb(0xF0F8FF);
    QTest::newRow("web DarkSeaGreen") << "web" << 2 << 9 << QRgb(0x8FBC8B);
    QTest::newRow("web last YellowGreen") << "web" << 11 << 7 << QRgb(0x9ACD32);
    QTest::newRow("web after the last") << "web" << 11 << 8 << QRgb(0xFFFFFF);
    QTest::newRow("computer first") << "computer" << 0 << 0 << QRgb(0xFFFFFF);
    QTest::newRow("computer row 0 end") << "computer" << 0 << 15 << QRgb(0xCC9966);
    QTest::newRow("computer red") << "computer" << 1 << 12 << QRgb(0xFF0000);
    QTest::newRow("computer tall row") << "computer" << 6 << 15 << QRgb(0x0000FF);
    QTest::newRow("computer olive") << "computer" << 13 << 2 << QRgb(0x666600);
    QTest::newRow("computer grey CC") << "computer" << 13 << 3 << QRgb(0xCCCCCC);
    QTest::newRow("computer grey 99") << "computer" << 13 << 4 << QRgb(0x999999);
    QTest::newRow("computer grey 66") << "computer" << 13 << 5 << QRgb(0x666666);
    QTest::newRow("computer grey 33") << "computer" << 13 << 6 << QRgb(0x333333);
    QTest::newRow("computer black") << "computer" << 13 << 7 << QRgb(0x000000);
    QTest::newRow("computer blank") << "computer" << 13 << 8 << QRgb(0xFFFFFF);
    QTest::newRow("gradient top left") << "gradient" << 0 << 0 << QRgb(0x000000);
    QTest::newRow("gradient 0,1") << "gradient" << 0 << 1 << QRgb(0x006600);
    QTest::newRow("gradient 0,2") << "gradient" << 0 << 2 << QRgb(0x00CC00);
    QTest::newRow("gradient 0,3") << "gradient" << 0 << 3 << QRgb(0x330000);
    QTest::newRow("gradient 0,5") << "gradient" << 0 << 5 << QRgb(0x33CC00);
    QTest::newRow("gradient 0,15") << "gradient" << 0 << 15 << QRgb(0xFF0000);
    QTest::newRow("gradient 0,17") << "gradient" << 0 << 17 << QRgb(0xFFCC00);
    QTest::newRow("gradient lower half") << "gradient" << 6 << 0 << QRgb(0x003300);
    QTest::newRow("gradient 5,0") << "gradient" << 5 << 0 << QRgb(0x0000FF);
    QTest::newRow("gradient bottom right") << "gradient" << 11 << 17 << QRgb(0xFFFFFF);
}

void TestPalettes::colours() {
    QFETCH(QString, palette);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QRgb, colour);
    const QImage image = DrawPalette(layoutOf(palette));
    QCOMPARE(cellAt(image, gridOf(palette), row, column), colour);
}

void TestPalettes::webPaletteOrder() {
    // Row 5 runs through the "Light" names; the spelling LightGrey puts it after
    // LightGreen.
    const QImage image = DrawPalette(WebPaletteLayout());
    const Grid g = gridOf("web");
    const QRgb row5[12] = {0xFFF0F5, 0x7CFC00, 0xFFFACD, 0xADD8E6, 0xF08080, 0xE0FFFF,
                           0xFAFAD2, 0x90EE90, 0xD3D3D3, 0xFFB6C1, 0xFFA07A, 0x20B2AA};
    for (int c = 0; c < 12; ++c)
        QCOMPARE(cellAt(image, g, 5, c), row5[c]);
    const auto& names = CssNamedColours();
    QCOMPARE(int(names.size()), 140);
    QCOMPARE(QString(names[68].name), QStringLiteral("LightGrey"));
    // Both spellings of the two doubled colours are there.
    int cyan = 0, magenta = 0;
    for (const auto& n : names) {
        cyan += (n.rgb & 0xFFFFFF) == 0x00FFFF;
        magenta += (n.rgb & 0xFFFFFF) == 0xFF00FF;
    }
    QCOMPARE(cyan, 2);
    QCOMPARE(magenta, 2);
}

void TestPalettes::safeColoursEachOnce_data() {
    QTest::addColumn<QString>("palette");
    QTest::newRow("computer") << "computer";
    QTest::newRow("gradient") << "gradient";
}

void TestPalettes::safeColoursEachOnce() {
    QFETCH(QString, palette);
    const PaletteLayout layout = layoutOf(palette);
    std::set<QRgb> seen;
    for (QRgb c : layout.colours) {
        for (int channel : {qRed(c), qGreen(c), qBlue(c)})
            QCOMPARE(channel % 51, 0);
        seen.insert(c);
    }
    QCOMPARE(int(layout.colours.size()), 216);
    QCOMPARE(int(seen.size()), 216);
}

QTEST_APPLESS_MAIN(TestPalettes)
#include "test_palettes.moc"
