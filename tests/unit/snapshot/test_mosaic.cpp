// The redacting mosaic: nothing of what it covers reaches the result, the same
// surroundings give the same blocks, and the blocks follow the surroundings' colours.
#include "snapshot/mosaic.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QtTest>

using namespace kv;

class TestMosaic : public QObject {
    Q_OBJECT
private slots:
    void area_data();
    void area();
    void coveredPixelsTellNothing_data();
    void coveredPixelsTellNothing();
    void blocksWholeAndAligned_data();
    void blocksWholeAndAligned();
    void followsSurroundings();
    void noRingGivesGrey();
    void otherFormatsGiveTheSameMosaic();
};

namespace {

// A picture of busy, unrepeating content, different for every seed.
QImage noise(QSize size, quint32 seed) {
    QImage img(size, QImage::Format_RGB32);
    quint32 s = seed * 2654435761u + 1;
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            s ^= s << 13;
            s ^= s >> 17;
            s ^= s << 5;
            line[x] = 0xff000000u | (s & 0xffffffu);
        }
    }
    return img;
}

// `base` with `area` filled from a different picture: other content, same surroundings.
QImage withOtherInside(const QImage& base, const QRect& area, quint32 seed) {
    QImage img = base.copy();
    QPainter p(&img);
    p.drawImage(area.topLeft(), noise(area.size(), seed));
    // Some "text" as well: the kind of content a mosaic hides.
    p.setPen(Qt::black);
    p.drawText(area, Qt::AlignCenter, QStringLiteral("secret 12345"));
    return img;
}

QImage mosaicOver(const QImage& picture, const QRect& area, int blockSize) {
    QImage out = picture.copy();
    QPainter p(&out);
    drawMosaic(p, picture, area, blockSize);
    return out;
}

int luminanceOf(QRgb c) {
    return (qRed(c) * 2126 + qGreen(c) * 7152 + qBlue(c) * 722) / 10000;
}

} // namespace

void TestMosaic::area_data() {
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QRectF>("selection");
    QTest::addColumn<QRect>("expected");
    const QRectF sel(100, 50, 200, 100);
    QTest::newRow("inside") << QPointF(120, 60) << QPointF(180, 90) << sel
                            << QRect(120, 60, 60, 30);
    QTest::newRow("dragged up and left")
        << QPointF(180, 90) << QPointF(120, 60) << sel << QRect(120, 60, 60, 30);
    QTest::newRow("fractions cover every touched pixel")
        << QPointF(120.5, 60.2) << QPointF(180.4, 90.9) << sel << QRect(120, 60, 61, 31);
    QTest::newRow("to the selection's far corner")
        << QPointF(150, 100) << QPointF(300, 150) << sel << QRect(150, 100, 150, 50);
    QTest::newRow("beyond the selection")
        << QPointF(150, 100) << QPointF(900, -40) << sel << QRect(150, 50, 150, 50);
    QTest::newRow("fractional selection rounded as the cut")
        << QPointF(101, 51) << QPointF(400, 400) << QRectF(100.5, 50.5, 99.75, 50)
        << QRect(101, 51, 99, 49);
    QTest::newRow("held to the picture") << QPointF(500, 300) << QPointF(700, 700)
                                         << QRectF(400, 200, 400, 400) << QRect(500, 300, 140, 180);
    QTest::newRow("no extent") << QPointF(150, 100) << QPointF(150, 120) << sel << QRect();
}

void TestMosaic::area() {
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    QFETCH(QRectF, selection);
    QFETCH(QRect, expected);
    const QRect got = mosaicArea(from, to, selection, QSize(640, 480));
    if (expected.isEmpty())
        QVERIFY(got.isEmpty());
    else
        QCOMPARE(got, expected);
}

void TestMosaic::coveredPixelsTellNothing_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("blockSize");
    const QSize s(320, 240);
    for (int b : kMosaicBlockSizes) {
        const QByteArray n = QByteArray::number(b);
        QTest::newRow("middle " + n) << s << QRect(40, 30, 150, 70) << b;
        QTest::newRow("picture's top-left " + n) << s << QRect(0, 0, 100, 50) << b;
        QTest::newRow("picture's bottom-right " + n) << s << QRect(250, 200, 70, 40) << b;
        QTest::newRow("picture's left edge " + n) << s << QRect(0, 60, 90, 100) << b;
        QTest::newRow("full width " + n) << s << QRect(0, 100, 320, 33) << b;
        QTest::newRow("smaller than a block " + n) << s << QRect(200, 50, 5, 7) << b;
        QTest::newRow("one pixel from the edge " + n) << s << QRect(1, 1, 318, 238) << b;
    }
    // A selection's edge is no edge of the picture: the ring beyond it is used.
    QTest::newRow("selection's corner")
        << s << mosaicArea({60, 40}, {300, 300}, {50, 30, 150, 100}, s) << 12;
    QTest::newRow("whole picture") << s << QRect(0, 0, 320, 240) << 12;
}

void TestMosaic::coveredPixelsTellNothing() {
    QFETCH(QSize, size);
    QFETCH(QRect, area);
    QFETCH(int, blockSize);
    const QImage a = noise(size, 1);
    const QImage b = withOtherInside(a, area, 2);
    const QImage overA = mosaicOver(a, area, blockSize);
    // Two pictures that differ only beneath the area give the same picture.
    QCOMPARE(mosaicOver(b, area, blockSize), overA);
    // Flipping any one covered pixel changes nothing either.
    for (const QPoint at :
         {area.topLeft(), area.bottomRight(), area.center(), area.topRight(), area.bottomLeft()}) {
        QImage flipped = a.copy();
        flipped.setPixel(at, ~a.pixel(at) | 0xff000000u);
        QCOMPARE(mosaicOver(flipped, area, blockSize), overA);
    }
    // Every pixel outside the area is as it was.
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            if (!area.contains(x, y) && overA.pixel(x, y) != a.pixel(x, y))
                QFAIL(qPrintable(QString("pixel (%1, %2) outside changed").arg(x).arg(y)));
}

void TestMosaic::blocksWholeAndAligned_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("blockSize");
    for (int b : kMosaicBlockSizes) {
        const QByteArray n = QByteArray::number(b);
        QTest::newRow("whole blocks " + n) << QRect(37, 23, 5 * b, 3 * b) << b;
        QTest::newRow("clipped last row and column " + n)
            << QRect(11, 7, 5 * b + 3, 4 * b - 1) << b;
        QTest::newRow("at the picture's corner " + n) << QRect(0, 0, 7 * b + 1, 6 * b) << b;
    }
}

void TestMosaic::blocksWholeAndAligned() {
    QFETCH(QRect, area);
    QFETCH(int, blockSize);
    const QImage picture = noise(QSize(300, 200), 7);
    const QImage tile = mosaicTile(picture, area, blockSize);
    QCOMPARE(tile.size(), area.size());
    // Every pixel has the colour of its block's top-left pixel, the blocks counted from
    // the area's top-left corner.
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const QPoint corner(x / blockSize * blockSize, y / blockSize * blockSize);
            if (tile.pixel(x, y) != tile.pixel(corner))
                QFAIL(qPrintable(QString("(%1, %2) differs from its block").arg(x).arg(y)));
        }
    // Not one flat box: neighbouring blocks differ almost everywhere.
    int pairs = 0, different = 0;
    for (int y = 0; y + blockSize < tile.height(); y += blockSize)
        for (int x = 0; x + blockSize < tile.width(); x += blockSize) {
            pairs += 2;
            different += tile.pixel(x, y) != tile.pixel(x + blockSize, y);
            different += tile.pixel(x, y) != tile.pixel(x, y + blockSize);
        }
    QVERIFY2(different * 10 >= pairs * 8,
             qPrintable(QString("%1 of %2").arg(different).arg(pairs)));
}

void TestMosaic::followsSurroundings() {
    // Black to the left of the area, white to its right, a gradient above and below: the
    // blocks darken towards the left and lighten towards the right, and a red secret
    // inside leaves no red.
    QImage picture(400, 120, QImage::Format_RGB32);
    for (int x = 0; x < picture.width(); ++x) {
        const int v = std::clamp((x - 100) * 255 / 200, 0, 255);
        for (int y = 0; y < picture.height(); ++y)
            picture.setPixel(x, y, qRgb(v, v, v));
    }
    const QRect area(100, 40, 200, 40);
    QPainter(&picture).fillRect(area, Qt::red);
    const QImage tile = mosaicTile(picture, area, 12);
    int left = 0, right = 0, reddest = 0;
    for (int y = 0; y < tile.height(); ++y) {
        left += luminanceOf(tile.pixel(0, y));
        right += luminanceOf(tile.pixel(tile.width() - 1, y));
        for (int x = 0; x < tile.width(); ++x) {
            const QRgb c = tile.pixel(x, y);
            reddest = std::max(reddest, qRed(c) - (qGreen(c) + qBlue(c)) / 2);
        }
    }
    QVERIFY2(left / tile.height() < 60, qPrintable(QString::number(left / tile.height())));
    QVERIFY2(right / tile.height() > 195, qPrintable(QString::number(right / tile.height())));
    QVERIFY2(reddest < 12, qPrintable(QString::number(reddest)));
}

void TestMosaic::noRingGivesGrey() {
    const QImage picture = noise(QSize(90, 60), 3);
    const QImage tile = mosaicTile(picture, picture.rect(), 8);
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x) {
            const QRgb c = tile.pixel(x, y);
            QVERIFY(std::abs(qRed(c) - 128) <= 20 && std::abs(qGreen(c) - 128) <= 20 &&
                    std::abs(qBlue(c) - 128) <= 20);
        }
}

void TestMosaic::otherFormatsGiveTheSameMosaic() {
    const QImage picture = noise(QSize(200, 150), 5);
    const QRect area(30, 20, 100, 60);
    const QImage rgb = mosaicTile(picture, area, 12);
    QCOMPARE(mosaicTile(picture.convertToFormat(QImage::Format_RGB888), area, 12), rgb);
    QCOMPARE(mosaicTile(picture.convertToFormat(QImage::Format_ARGB32_Premultiplied), area, 12),
             rgb);
}

QTEST_MAIN(TestMosaic)
#include "test_mosaic.moc"
