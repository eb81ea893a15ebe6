// Where the bars of a selection go, and how far a selection moves, on desktops of
// several monitors: two side by side with different heights, the primary on either
// side, and a selection on one monitor, across the seam or off the shorter one.
#include "snapshot/optionbar_layout.h"
#include "snapshot/selection.h"
#include "support/monitorlayout.h"

#include <QTest>

using namespace kv;

Q_DECLARE_METATYPE(kv::SelBox)

namespace {

// Primary 1920x1080 on the left, 1280x1024 to its right (the dummy Xinerama desktop).
const Monitors kWideLeft = monitorLayout({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}, 0);
// 1280x1024 on the left, the primary 1920x1080 to its right (the RandR desktop).
const Monitors kPrimaryRight =
    monitorLayout({QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)}, 1);

} // namespace

class TestMonitorBars : public QObject {
    Q_OBJECT
private slots:
    void toolBar_data() {
        QTest::addColumn<int>("desk"); // 0 kWideLeft, 1 kPrimaryRight
        QTest::addColumn<SelBox>("box");
        QTest::addColumn<QPointF>("expected");
        // Tool bar 265 x 26: below the selection needs 4 + 26 pixels of the monitor.
        QTest::newRow("tall monitor: room below")
            << 0 << SelBox{1400, 900, 300, 100} << QPointF(1435, 1004);
        QTest::newRow("short monitor, same bottom: inside")
            << 0 << SelBox{2400, 900, 300, 100} << QPointF(2435, 970);
        QTest::newRow("short monitor: just fits below")
            << 0 << SelBox{2400, 894, 300, 100} << QPointF(2435, 998);
        QTest::newRow("ends on the seam: the left monitor's")
            << 0 << SelBox{1700, 100, 220, 100} << QPointF(1655, 204);
        QTest::newRow("across the seam: kept on the right monitor")
            << 0 << SelBox{1800, 100, 300, 200} << QPointF(1920, 304);
        QTest::newRow("corner below the short monitor: nearest monitor, inside it")
            << 0 << SelBox{1800, 900, 400, 160} << QPointF(1935, 998);
        QTest::newRow("click on the right monitor")
            << 0 << SelBox{2000, 500, 0, 0} << QPointF(1920, 504);
        QTest::newRow("primary right, short left monitor: inside")
            << 1 << SelBox{100, 950, 400, 60} << QPointF(235, 980);
        QTest::newRow("primary right: room below")
            << 1 << SelBox{1500, 950, 400, 60} << QPointF(1635, 1014);
        QTest::newRow("primary right: left desktop edge")
            << 1 << SelBox{10, 300, 100, 100} << QPointF(0, 404);
    }
    void toolBar() {
        QFETCH(int, desk);
        QFETCH(SelBox, box);
        QFETCH(QPointF, expected);
        const Monitors& m = desk == 0 ? kWideLeft : kPrimaryRight;
        const QRect monitor = barMonitor(box, m);
        const QPointF at = placeToolBar(box, QSizeF(265, 26), monitor);
        QCOMPARE(at, expected);
        // Whatever the rule chose, the bar lies whole on the selection's monitor.
        QVERIFY(QRectF(monitor).contains(QRectF(at, QSizeF(265, 26))));
    }

    // The option bar follows the tool bar's monitor: below it where that monitor is
    // tall enough, above it where only the other monitor would have had room.
    void optionBar_data() {
        QTest::addColumn<QRectF>("toolBar");
        QTest::addColumn<QRectF>("monitor");
        QTest::addColumn<double>("top");
        const double h = kOptionBarHeight;
        const QRectF shortRight(1920, 0, 1280, 1024), tallLeft(0, 0, 1920, 1080);
        QTest::newRow("short monitor: above")
            << QRectF(2435, 980, 265, 26) << shortRight << 980 - h - 3;
        QTest::newRow("tall monitor, same place: below")
            << QRectF(1435, 980, 265, 26) << tallLeft << 1009.0;
        QTest::newRow("short monitor with room: below")
            << QRectF(2435, 950, 265, 26) << shortRight << 979.0;
    }
    void optionBar() {
        QFETCH(QRectF, toolBar);
        QFETCH(QRectF, monitor);
        QFETCH(double, top);
        const QPointF at = optionBarPosition(toolBar, kOptionBarHeight, monitor);
        QCOMPARE(at.x(), toolBar.left());
        QVERIFY2(qAbs(at.y() - top) < 1e-9, qPrintable(QString::number(at.y())));
    }

    // A moved selection stays inside the desktop's rectangle, which need not start at
    // (0, 0) nor be the primary monitor.
    void move_data() {
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<SelBox>("expected");
        // Origin (100, 100), pressed at (150, 150), a 200 x 100 selection.
        const QRect wide(0, 0, 3200, 1080), offset(50, 40, 800, 600);
        QTest::newRow("over the seam") << wide << QPointF(2050, 150) << SelBox{2000, 100, 200, 100};
        QTest::newRow("right edge of the desktop")
            << wide << QPointF(5000, 150) << SelBox{3000, 100, 200, 100};
        QTest::newRow("bottom of the desktop")
            << wide << QPointF(150, 2000) << SelBox{100, 980, 200, 100};
        QTest::newRow("offset desktop: left and top")
            << offset << QPointF(-500, -500) << SelBox{50, 40, 200, 100};
        QTest::newRow("offset desktop: right and bottom")
            << offset << QPointF(5000, 5000) << SelBox{650, 540, 200, 100};
    }
    void move() {
        QFETCH(QRect, desktop);
        QFETCH(QPointF, pointer);
        QFETCH(SelBox, expected);
        QCOMPARE(moveSelection(SelBox{5, 5, 200, 100}, {100, 100}, {150, 150}, pointer, desktop),
                 expected);
    }
};

QTEST_GUILESS_MAIN(TestMonitorBars)
#include "test_monitor_bars.moc"
