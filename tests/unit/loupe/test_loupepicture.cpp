// The loupe's picture: every cell shows exactly its source pixel, the grid and the
// centre's outline lie between the cells, cells off the desktop look like no colour.
#include "loupe/loupepicture.h"
#include "platform/screenreader.h"
#include "support/fakescreen.h"

#include <QtTest>

using namespace kv;

namespace {

// Every pixel a different colour, so a cell showing its neighbour is caught.
QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb((x * 7) & 255, (y * 11) & 255, (x + y) & 255));
    return img;
}

bool cellIs(const QImage& out, int column, int row, QRgb colour) {
    const QRect r = LoupeCellRect(column, row);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (out.pixel(x, y) != (colour | 0xff000000u)) return false;
    return true;
}

// A cell off the desktop: two colours, neither of them one solid colour.
bool cellIsChecker(const QImage& out, int column, int row) {
    const QRect r = LoupeCellRect(column, row);
    return out.pixel(r.topLeft()) != out.pixel(r.topLeft() + QPoint(1, 0)) &&
           out.pixel(r.topLeft()) == out.pixel(r.topLeft() + QPoint(1, 1));
}

// The shared fake screen showing a picture; it can also answer with a read of the
// wrong size.
class FakeScreen final : public kvtest::FakeScreen {
public:
    FakeScreen() : kvtest::FakeScreen(QSize(200, 100)) {
        setPattern([this](QPoint at, QPoint) { return shown.valid(at) ? shown.pixel(at) : 0u; });
        pixelAt = [this](QPoint at) -> std::optional<QRgb> { return shown.pixel(at); };
    }
    QImage shown = pattern({200, 100});
    bool wrongSize = false;
    QRect asked;
    ScreenGrab grab(const QRect& r) override {
        asked = r;
        if (wrongSize) return QImage(3, 3, QImage::Format_RGB32);
        return kvtest::FakeScreen::grab(r);
    }
};

} // namespace

class TestLoupePicture : public QObject {
    Q_OBJECT
private slots:
    void cellsEqualTheirSourcePixels_data();
    void cellsEqualTheirSourcePixels();
    void gridAndOutlineLieBetweenCells();
    void outlineShowsOnLightAndDark_data();
    void outlineShowsOnLightAndDark();
    void screenReadIsCutToTheDesktop();
    void failedScreenReadShowsNothing();
    void captionLinesGrowThePicture();
};

void TestLoupePicture::cellsEqualTheirSourcePixels_data() {
    QTest::addColumn<QPoint>("origin"); // screen point of the picture's top-left pixel
    QTest::addColumn<QPoint>("hot");
    QTest::newRow("middle") << QPoint(0, 0) << QPoint(50, 40);
    QTest::newRow("top-left corner") << QPoint(0, 0) << QPoint(0, 0);
    QTest::newRow("bottom-right corner") << QPoint(0, 0) << QPoint(199, 99);
    QTest::newRow("three in from the right") << QPoint(0, 0) << QPoint(196, 50);
    QTest::newRow("picture of a second monitor") << QPoint(1920, 0) << QPoint(1925, 60);
    QTest::newRow("off the picture") << QPoint(0, 0) << QPoint(-20, 50);
}

void TestLoupePicture::cellsEqualTheirSourcePixels() {
    QFETCH(QPoint, origin);
    QFETCH(QPoint, hot);
    const QImage picture = pattern({200, 100});
    const LoupeSource source = LoupeSourceFrom(picture, origin, hot);
    QImage out;
    RenderLoupe(source, {QStringLiteral("#000000")}, out);
    QCOMPARE(out.size(), LoupePictureSize(1));
    const QRect onPicture(origin, picture.size());
    for (int row = 0; row < kLoupeCells; ++row) {
        for (int column = 0; column < kLoupeCells; ++column) {
            const QPoint screen = hot + QPoint(column - kLoupeRadius, row - kLoupeRadius);
            if (onPicture.contains(screen)) {
                QVERIFY2(cellIs(out, column, row, picture.pixel(screen - origin)),
                         qPrintable(QStringLiteral("cell %1,%2").arg(column).arg(row)));
            } else {
                QVERIFY2(cellIsChecker(out, column, row),
                         qPrintable(QStringLiteral("cell %1,%2").arg(column).arg(row)));
            }
        }
    }
    QCOMPARE(source.centreValid(), onPicture.contains(hot));
    if (source.centreValid()) QCOMPARE(source.centre(), picture.pixel(hot - origin));
}

void TestLoupePicture::gridAndOutlineLieBetweenCells() {
    QImage plain(40, 40, QImage::Format_RGB32);
    plain.fill(qRgb(250, 250, 250));
    QImage out;
    RenderLoupe(LoupeSourceFrom(plain, {0, 0}, {20, 20}), {}, out);
    QCOMPARE(out.size(), QSize(kLoupeGridSide, kLoupeGridSide));
    const QRgb grid = out.pixel(0, 0);
    const int lo = kLoupeRadius * kLoupePitch, hi = lo + kLoupePitch;
    for (int i = 0; i < kLoupeGridSide; ++i) {
        for (int line = 0; line < kLoupeGridSide; line += kLoupePitch) {
            const bool ring = (line == lo || line == hi) && i >= lo && i <= hi;
            QCOMPARE(out.pixel(i, line) == grid, !ring);
            QCOMPARE(out.pixel(line, i) == grid, !ring);
        }
    }
    QVERIFY(grid != plain.pixel(0, 0));
}

void TestLoupePicture::outlineShowsOnLightAndDark_data() {
    QTest::addColumn<QColor>("centre");
    QTest::newRow("white") << QColor(255, 255, 255);
    QTest::newRow("black") << QColor(0, 0, 0);
    QTest::newRow("pure blue") << QColor(0, 0, 255);
    QTest::newRow("yellow") << QColor(255, 255, 0);
}

void TestLoupePicture::outlineShowsOnLightAndDark() {
    QFETCH(QColor, centre);
    QImage plain(15, 15, QImage::Format_RGB32);
    plain.fill(centre);
    QImage out;
    RenderLoupe(LoupeSourceFrom(plain, {0, 0}, {7, 7}), {}, out);
    const QRgb ring = out.pixel(kLoupeRadius * kLoupePitch, kLoupeRadius * kLoupePitch + 3);
    const auto luma = [](QRgb c) {
        return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000;
    };
    QVERIFY(std::abs(luma(ring) - luma(centre.rgb())) >= 100);
}

void TestLoupePicture::screenReadIsCutToTheDesktop() {
    FakeScreen screen;
    const QRect desktop(QPoint(0, 0), screen.shown.size());
    const LoupeSource s = LoupeSourceFrom(screen, desktop, {3, 98});
    // Nothing outside the desktop is asked for: the cells there are off it.
    QCOMPARE(screen.asked, QRect(0, 91, 11, 9));
    QCOMPARE(s.valid, QRect(4, 0, 11, 9));
    QVERIFY(s.centreValid());
    QCOMPARE(s.centre(), screen.shown.pixel(3, 98));
}

void TestLoupePicture::failedScreenReadShowsNothing() {
    FakeScreen screen;
    screen.wrongSize = true;
    const LoupeSource s = LoupeSourceFrom(screen, QRect(0, 0, 200, 100), {50, 50});
    QVERIFY(s.valid.isEmpty());
    QVERIFY(!s.centreValid());
    QVERIFY(LoupeSourceFrom(screen, QRect(0, 0, 200, 100), {500, 500}).valid.isEmpty());
}

void TestLoupePicture::captionLinesGrowThePicture() {
    const QImage picture = pattern({40, 40});
    QImage one, two;
    const LoupeSource s = LoupeSourceFrom(picture, {0, 0}, {20, 20});
    RenderLoupe(s, {QStringLiteral("#102030")}, one);
    RenderLoupe(s, {QStringLiteral("#102030"), QStringLiteral("20, 20")}, two);
    QCOMPARE(two.height() - one.height(), kLoupeCaptionLine);
    // The caption band shows text: more than its background colour alone.
    QSet<QRgb> colours;
    for (int y = kLoupeGridSide; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x)
            colours.insert(one.pixel(x, y));
    QVERIFY(colours.size() > 2);
    // The same cells above either caption.
    QCOMPARE(one.copy(0, 0, kLoupeGridSide, kLoupeGridSide),
             two.copy(0, 0, kLoupeGridSide, kLoupeGridSide));
}

QTEST_MAIN(TestLoupePicture)
#include "test_loupepicture.moc"
