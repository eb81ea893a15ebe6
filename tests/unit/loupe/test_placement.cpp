// Where the loupe goes beside the pointer, on monitors of several places and sizes.
#include "loupe/placement.h"

#include <QtTest>

using namespace kv;

Q_DECLARE_METATYPE(std::vector<QRect>)

namespace {

const QSize kSize(136, 156);
const int kRadius = 7;
const QRect kLeftMonitor(0, 0, 1920, 1080);
const QRect kRightMonitor(1920, 0, 1280, 1024);

QRect sourceAround(QPoint hot) {
    return QRect(hot - QPoint(kRadius, kRadius), QSize(2 * kRadius + 1, 2 * kRadius + 1));
}

} // namespace

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void staysOnTheMonitorAndOffTheHotSpot_data();
    void staysOnTheMonitorAndOffTheHotSpot();
    void keepsClearOfRectanglesWhenItCan_data();
    void keepsClearOfRectanglesWhenItCan();
    void tooSmallAMonitorStillHoldsTheLoupe();
};

void TestPlacement::staysOnTheMonitorAndOffTheHotSpot_data() {
    QTest::addColumn<QRect>("monitor");
    QTest::addColumn<QPoint>("hot");
    QTest::addColumn<bool>("right"); // the loupe lies right of the hot spot
    QTest::addColumn<bool>("below");

    const QRect m = kLeftMonitor;
    QTest::newRow("middle") << m << QPoint(960, 540) << true << true;
    QTest::newRow("left edge") << m << QPoint(0, 540) << true << true;
    QTest::newRow("top edge") << m << QPoint(960, 0) << true << true;
    QTest::newRow("right edge") << m << QPoint(1919, 540) << false << true;
    QTest::newRow("bottom edge") << m << QPoint(960, 1079) << true << false;
    QTest::newRow("top-left corner") << m << QPoint(0, 0) << true << true;
    QTest::newRow("top-right corner") << m << QPoint(1919, 0) << false << true;
    QTest::newRow("bottom-left corner") << m << QPoint(0, 1079) << true << false;
    QTest::newRow("bottom-right corner") << m << QPoint(1919, 1079) << false << false;
    // The last point where it still fits on the right / below, and the first where not.
    QTest::newRow("just fits right") << m << QPoint(1919 - 20 - 135, 300) << true << true;
    QTest::newRow("one past right") << m << QPoint(1919 - 20 - 135 + 1, 300) << false << true;
    QTest::newRow("just fits below") << m << QPoint(300, 1079 - 20 - 155) << true << true;
    QTest::newRow("one past below") << m << QPoint(300, 1079 - 20 - 155 + 1) << true << false;

    const QRect r = kRightMonitor;
    QTest::newRow("second monitor, its left edge") << r << QPoint(1920, 500) << true << true;
    QTest::newRow("second monitor, bottom-right")
        << r << QPoint(1920 + 1279, 1023) << false << false;
    QTest::newRow("second monitor, below the first's bottom")
        << r << QPoint(2500, 1060) << true << false;
    // Just left of the second monitor: flipping left keeps the loupe on the first.
    QTest::newRow("first monitor at the seam") << m << QPoint(1915, 200) << false << true;
}

void TestPlacement::staysOnTheMonitorAndOffTheHotSpot() {
    QFETCH(QRect, monitor);
    QFETCH(QPoint, hot);
    QFETCH(bool, right);
    QFETCH(bool, below);
    const QRect at = PlaceLoupe(hot, kSize, monitor, kRadius);
    QCOMPARE(at.size(), kSize);
    QVERIFY2(monitor.contains(at), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                  .arg(at.x())
                                                  .arg(at.y())
                                                  .arg(at.width())
                                                  .arg(at.height())));
    QVERIFY(!at.contains(hot));
    QVERIFY(!at.intersects(sourceAround(hot)));
    QCOMPARE(at.left() > hot.x(), right);
    QCOMPARE(at.top() > hot.y(), below);
}

void TestPlacement::keepsClearOfRectanglesWhenItCan_data() {
    QTest::addColumn<QPoint>("hot");
    QTest::addColumn<std::vector<QRect>>("keepClear");
    QTest::addColumn<bool>("clear"); // some place on the monitor avoids them all

    // Read-outs just below and right of the pointer, as when a selection is
    // dragged up and to the left.
    QTest::newRow("read-outs below right")
        << QPoint(500, 400) << std::vector<QRect>{QRect(502, 402, 110, 50)} << true;
    QTest::newRow("below on both sides")
        << QPoint(500, 400) << std::vector<QRect>{QRect(300, 420, 400, 300)} << true;
    QTest::newRow("everywhere but above left")
        << QPoint(500, 400)
        << std::vector<QRect>{QRect(300, 420, 400, 300), QRect(510, 100, 300, 300)} << true;
    QTest::newRow("nowhere") << QPoint(500, 400)
                             << std::vector<QRect>{QRect(0, 0, 1920, 390), QRect(0, 410, 1920, 670)}
                             << false;
}

void TestPlacement::keepsClearOfRectanglesWhenItCan() {
    QFETCH(QPoint, hot);
    QFETCH(std::vector<QRect>, keepClear);
    QFETCH(bool, clear);
    const QRect at = PlaceLoupe(hot, kSize, kLeftMonitor, kRadius, keepClear);
    QVERIFY(kLeftMonitor.contains(at));
    QVERIFY(!at.intersects(sourceAround(hot)));
    bool avoided = true;
    for (const QRect& k : keepClear)
        avoided = avoided && !at.intersects(k);
    QCOMPARE(avoided, clear);
}

void TestPlacement::tooSmallAMonitorStillHoldsTheLoupe() {
    const QRect tiny(100, 100, 150, 170);
    const QRect at = PlaceLoupe(QPoint(170, 180), kSize, tiny, kRadius);
    QVERIFY(tiny.contains(at));
}

QTEST_APPLESS_MAIN(TestPlacement)
#include "test_placement.moc"
