// What a pin draws: the picture itself at 100 %, exact blocks when enlarged (also
// when drawn in parts, as a window coming into view is), a smooth reduction below
// 100 %, and a picture with transparency over white.
#include "pin/zoomedpicture.h"

#include <QPainter>
#include <QtTest>

using namespace kv;

namespace {

// Every pixel differs from its neighbours, so a shift by one shows.
QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x * 7 & 255, y * 13 & 255, (x ^ y) * 5 & 255));
    return img;
}

QImage drawn(ZoomedPicture& view, const QList<QRect>& parts) {
    QImage out(view.shownSize() + QSize(2, 2), QImage::Format_RGB32);
    out.fill(Qt::magenta);
    QPainter p(&out);
    for (const QRect& part : parts)
        view.draw(p, QPoint(1, 1), part);
    return out;
}

} // namespace

class TestZoomedPicture : public QObject {
    Q_OBJECT
private slots:
    void exactAtOneHundred() {
        const QImage picture = pattern({53, 41});
        ZoomedPicture view(picture);
        const QImage out = drawn(view, {QRect(0, 0, 53, 41)});
        QCOMPARE(out.copy(1, 1, 53, 41), picture);
        QCOMPARE(out.pixel(0, 0), qRgb(255, 0, 255)); // the border is not drawn over
    }

    void enlargedIntoBlocks_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("block");
        QTest::newRow("200") << 200 << 2;
        QTest::newRow("300") << 300 << 3;
        QTest::newRow("800") << 800 << 8;
    }
    void enlargedIntoBlocks() {
        QFETCH(int, percent);
        QFETCH(int, block);
        const QImage picture = pattern({37, 29});
        ZoomedPicture view(picture);
        view.setZoom(percent);
        QCOMPARE(view.shownSize(), picture.size() * block);
        const QRect all(QPoint(0, 0), view.shownSize());
        const QImage whole = drawn(view, {all});
        QImage blocks(all.size(), QImage::Format_RGB32);
        for (int y = 0; y < all.height(); ++y)
            for (int x = 0; x < all.width(); ++x)
                blocks.setPixel(x, y, picture.pixel(x / block, y / block));
        QCOMPARE(whole.copy(1, 1, all.width(), all.height()), blocks);
        // Drawn in odd parts, in any order: the same pixels.
        const QImage parts = drawn(
            view, {QRect(17, 5, 40, 33), QRect(0, 0, all.width(), 5), QRect(0, 5, 17, all.height()),
                   QRect(17, 38, all.width(), all.height()), QRect(57, 5, all.width(), 33)});
        QCOMPARE(parts, whole);
    }

    void reducedSmoothly() {
        // Two-pixel stripes of black and white: reduced to half they average to
        // grey rather than picking one colour.
        QImage stripes(40, 40, QImage::Format_RGB32);
        for (int x = 0; x < 40; ++x)
            for (int y = 0; y < 40; ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        ZoomedPicture view(stripes);
        view.setZoom(50);
        QCOMPARE(view.shownSize(), QSize(20, 20));
        const QImage out = drawn(view, {QRect(0, 0, 20, 20)});
        const int grey = qRed(out.pixel(10, 10));
        QVERIFY2(grey > 100 && grey < 155, qPrintable(QString::number(grey)));
        // Back at 100 %: the picture itself again.
        view.setZoom(100);
        QCOMPARE(drawn(view, {QRect(0, 0, 40, 40)}).copy(1, 1, 40, 40), stripes);
    }

    void transparencyOverWhite() {
        QImage picture(4, 4, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        picture.setPixel(1, 1, qRgba(255, 0, 0, 255));
        ZoomedPicture view(picture);
        const QImage out = drawn(view, {QRect(0, 0, 4, 4)});
        QCOMPARE(out.pixel(1, 1), qRgb(255, 255, 255));
        QCOMPARE(out.pixel(2, 2), qRgb(255, 0, 0));
        // The picture itself keeps its transparency (what Ctrl+C and saving take).
        QCOMPARE(view.picture(), picture);
    }
};

QTEST_MAIN(TestZoomedPicture)
#include "test_zoomedpicture.moc"
