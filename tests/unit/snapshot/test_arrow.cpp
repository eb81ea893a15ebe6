// Arrow head geometry and the order and pixels of the drawn arrow.
#include "snapshot/arrow.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace kv;

class TestArrow : public QObject {
    Q_OBJECT
private slots:
    void barbs_data();
    void barbs();
    void zeroLengthHasNoHead();
    void drawsShaftAndBothBarbsToTheTip();
    void zeroLengthDrawsNothing();
};

void TestArrow::barbs_data() {
    QTest::addColumn<QPointF>("tail");
    QTest::addColumn<QPointF>("tip");
    QTest::addColumn<float>("head");
    QTest::addColumn<QPointF>("first");
    QTest::addColumn<QPointF>("second");
    QTest::newRow("rightwards") << QPointF(100, 100) << QPointF(200, 100) << 10.0f
                                << QPointF(190, 105) << QPointF(190, 95);
    QTest::newRow("downwards") << QPointF(50, 50) << QPointF(50, 150) << 10.0f << QPointF(45, 140)
                               << QPointF(55, 140);
    QTest::newRow("leftwards") << QPointF(200, 100) << QPointF(100, 100) << 10.0f
                               << QPointF(110, 95) << QPointF(110, 105);
    QTest::newRow("upwards") << QPointF(50, 150) << QPointF(50, 50) << 10.0f << QPointF(55, 60)
                             << QPointF(45, 60);
    // Along a 3-4-5 triangle: 10 back along the shaft is (-6, -8), 5 aside is (-4, 3) or (4, -3).
    QTest::newRow("diagonal") << QPointF(0, 0) << QPointF(30, 40) << 10.0f << QPointF(20, 35)
                              << QPointF(28, 29);
    // Shorter than its head: the barbs reach back past the tail.
    QTest::newRow("short") << QPointF(10, 10) << QPointF(12, 10) << 10.0f << QPointF(2, 15)
                           << QPointF(2, 5);
}

void TestArrow::barbs() {
    QFETCH(QPointF, tail);
    QFETCH(QPointF, tip);
    QFETCH(float, head);
    QFETCH(QPointF, first);
    QFETCH(QPointF, second);
    const auto b = arrowBarbs(tail.x(), tail.y(), tip.x(), tip.y(), head);
    QVERIFY(b.has_value());
    QCOMPARE(b->first.x(), first.x());
    QCOMPARE(b->first.y(), first.y());
    QCOMPARE(b->second.x(), second.x());
    QCOMPARE(b->second.y(), second.y());
    // Each barb is head * sqrt(1.25) long.
    QVERIFY(qAbs(QLineF(b->first, tip).length() - head * std::sqrt(1.25)) < 1e-3);
}

void TestArrow::zeroLengthHasNoHead() {
    QVERIFY(!arrowBarbs(70.5f, 80.25f, 70.5f, 80.25f, 10.0f).has_value());
}

static QImage white(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

void TestArrow::drawsShaftAndBothBarbsToTheTip() {
    QImage img = white(300, 200);
    {
        QPainter p(&img);
        drawArrow(p, 100, 100, 200, 100, 10.0f, QColor(255, 0, 0));
    }
    const QRgb red = qRgb(255, 0, 0);
    // The shaft is one pixel thick, from the tail to the tip.
    for (int x = 100; x <= 200; ++x)
        QCOMPARE(img.pixel(x, 100), red);
    QCOMPARE(img.pixel(150, 99), qRgb(255, 255, 255));
    QCOMPARE(img.pixel(150, 101), qRgb(255, 255, 255));
    // Both barb ends are drawn, and nothing lies beyond the tip or behind the barbs.
    QCOMPARE(img.pixel(190, 95), red);
    QCOMPARE(img.pixel(190, 105), red);
    QCOMPARE(img.pixel(201, 100), qRgb(255, 255, 255));
    QCOMPARE(img.pixel(189, 95), qRgb(255, 255, 255));
}

void TestArrow::zeroLengthDrawsNothing() {
    QImage img = white(50, 50);
    {
        QPainter p(&img);
        drawArrow(p, 20, 20, 20, 20, 10.0f, Qt::red);
    }
    QCOMPARE(img, white(50, 50));
}

QTEST_MAIN(TestArrow)
#include "test_arrow.moc"
