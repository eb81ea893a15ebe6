// The stored colour wheel: honeycomb geometry, cell colours and the picture itself.
#include "colour/wheel.h"

#include <QtTest>

using namespace kv;

namespace {
const QRgb kWhite = qRgb(255, 255, 255);

bool isWhite(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}
} // namespace

class TestWheelPicture : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void tellingCells_data();
    void tellingCells();
    void hexagonLines_data();
    void hexagonLines();
    void background_data();
    void background();
    void cellsInterlockWithoutGaps_data();
    void cellsInterlockWithoutGaps();
    void everyCellWithinOneOfTheHslRule();
};

void TestWheelPicture::rows_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cells");
    QTest::addColumn<int>("firstX");
    QTest::addColumn<int>("y");
    QTest::newRow("top") << 0 << 7 << 51 << 12;
    QTest::newRow("second") << 1 << 8 << 44 << 24;
    QTest::newRow("middle") << 6 << 13 << 9 << 84;
    QTest::newRow("bottom") << 12 << 7 << 51 << 156;
}

void TestWheelPicture::rows() {
    QFETCH(int, row);
    QFETCH(int, cells);
    QFETCH(int, firstX);
    QFETCH(int, y);
    QCOMPARE(wheel::CellsInRow(row), cells);
    std::vector<wheel::Cell> inRow;
    for (const auto& c : wheel::Cells())
        if (c.row == row) inRow.push_back(c);
    QCOMPARE(int(inRow.size()), cells);
    QCOMPARE(inRow.front().centre, QPoint(firstX, y));
    // Cells of a row touch: 14 pixels apart, symmetric about the middle column.
    QCOMPARE(inRow.back().centre.x(), 2 * 93 - firstX);
    QCOMPARE(int(wheel::Cells().size()), 127);
}

void TestWheelPicture::tellingCells_data() {
    QTest::addColumn<int>("dx");
    QTest::addColumn<int>("dy");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("right corner") << 84 << 0 << qRgb(0xD0, 0x74, 0x17);
    QTest::newRow("upper right") << 42 << 72 << qRgb(0x75, 0xD2, 0x17);
    QTest::newRow("top middle") << 0 << 72 << qRgb(0x27, 0xE8, 0x27);
    QTest::newRow("upper left") << -42 << 72 << qRgb(0x17, 0xD2, 0x75);
    QTest::newRow("left corner") << -84 << 0 << qRgb(0x17, 0x74, 0xD0);
    QTest::newRow("lower left") << -42 << -72 << qRgb(0x74, 0x17, 0xD2);
    QTest::newRow("lower right") << 42 << -72 << qRgb(0xD2, 0x17, 0x74);
    QTest::newRow("first ring right") << 14 << 0 << qRgb(0xFA, 0xE8, 0xD5);
    QTest::newRow("centre") << 0 << 0 << kWhite;
}

void TestWheelPicture::tellingCells() {
    QFETCH(int, dx);
    QFETCH(int, dy);
    QFETCH(QRgb, colour);
    QCOMPARE(wheel::CellColour(dx, dy), colour);
    // And on the picture, across the cell's full-width lines.
    const QImage picture = wheel::MakePicture();
    const QPoint c(93 + dx, 84 - dy);
    for (int y = c.y() - 4; y <= c.y() + 4; ++y)
        for (int x = c.x() - 7; x <= c.x() + 6; ++x)
            QCOMPARE(picture.pixel(x, y), colour);
}

void TestWheelPicture::hexagonLines_data() {
    // The top cell of the left column (centre 51, 12) has no neighbour above, so its
    // upper point shows whole.
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("tip") << 5 << 49 << 52;
    QTest::newRow("second") << 6 << 47 << 54;
    QTest::newRow("third") << 7 << 45 << 56;
    QTest::newRow("first full") << 8 << 44 << 57;
    QTest::newRow("centre line") << 12 << 44 << 57;
}

void TestWheelPicture::hexagonLines() {
    QFETCH(int, y);
    QFETCH(int, left);
    QFETCH(int, right);
    const QImage picture = wheel::MakePicture();
    const QRgb colour = picture.pixel(51, 12);
    QVERIFY(colour != kWhite);
    QVERIFY(isWhite(picture, left - 1, y));
    for (int x = left; x <= right; ++x)
        QCOMPARE(picture.pixel(x, y), colour);
    // To the right the next cell of the row starts on full-width lines only.
    if (right - left + 1 < 14) QVERIFY(isWhite(picture, right + 1, y));
    QCOMPARE(wheel::HexLineWidth(y - 5), right - left + 1);
}

void TestWheelPicture::background_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("top left corner") << QPoint(0, 0);
    QTest::newRow("bottom right corner") << QPoint(186, 168);
    QTest::newRow("above the top row") << QPoint(93, 4);
    QTest::newRow("right of the right corner") << QPoint(184, 84);
    QTest::newRow("left of the left corner") << QPoint(1, 84);
    QTest::newRow("below the bottom row") << QPoint(93, 164);
    QTest::newRow("outside the top left edge") << QPoint(30, 20);
}

void TestWheelPicture::background() {
    QFETCH(QPoint, at);
    const QImage picture = wheel::MakePicture();
    QCOMPARE(picture.size(), QSize(187, 169));
    QCOMPARE(picture.pixel(at), kWhite);
}

void TestWheelPicture::cellsInterlockWithoutGaps_data() {
    // Lines shared by two rows of cells: the points of one row fill the notches of
    // the other, so no white shows between the outermost cells.
    QTest::addColumn<int>("y");
    for (int y : {17, 18, 19, 29, 30, 31, 41, 42, 43, 149, 150, 151})
        QTest::addRow("line %d", y) << y;
}

void TestWheelPicture::cellsInterlockWithoutGaps() {
    QFETCH(int, y);
    const QImage picture = wheel::MakePicture();
    int first = 0, last = 186;
    while (first < 187 && isWhite(picture, first, y))
        ++first;
    while (last >= 0 && isWhite(picture, last, y))
        --last;
    QVERIFY(first < last);
    for (int x = first; x <= last; ++x)
        QVERIFY2(!isWhite(picture, x, y), qPrintable(QStringLiteral("white at %1").arg(x)));
}

void TestWheelPicture::everyCellWithinOneOfTheHslRule() {
    // Hue 30 degrees past the centre offset's angle, saturation 0.8, lightness
    // falling by 0.00651 a pixel of distance: every cell must be within 1 of it.
    const QImage picture = wheel::MakePicture();
    QCOMPARE(picture.format(), QImage::Format_RGB32);
    for (const auto& cell : wheel::Cells()) {
        const QPoint c = cell.centre;
        const int dx = c.x() - 93, dy = 84 - c.y();
        if (dx == 0 && dy == 0) continue;
        const double h = std::fmod(30.0 + std::atan2(dy, dx) * 180.0 / M_PI + 360.0, 360.0);
        const double l = 1.0 - 0.00651 * std::hypot(dx, dy);
        const double q = l < 0.5 ? l * 1.8 : l + 0.8 - l * 0.8;
        const double p = 2 * l - q;
        auto channel = [&](double t) {
            t = std::fmod(t + 360.0, 360.0);
            double v = p;
            if (t < 60)
                v = p + (q - p) * t / 60;
            else if (t < 180)
                v = q;
            else if (t < 240)
                v = p + (q - p) * (240 - t) / 60;
            return std::lround(v * 255);
        };
        const QRgb got = picture.pixel(c);
        QVERIFY(std::abs(qRed(got) - channel(h + 120)) <= 1);
        QVERIFY(std::abs(qGreen(got) - channel(h)) <= 1);
        QVERIFY(std::abs(qBlue(got) - channel(h - 120)) <= 1);
        QCOMPARE(got, wheel::CellColour(dx, dy));
    }
}

QTEST_APPLESS_MAIN(TestWheelPicture)
#include "test_wheel_picture.moc"
