// The arithmetic of a desktop of several monitors: which monitor holds a pixel, the
// nearest one to a pixel no monitor shows, the rectangle round them all, and the
// blacking out of what no monitor shows.
#include "platform/monitors.h"
#include "support/monitorlayout.h"

#include <QTest>

using namespace kv;

Q_DECLARE_METATYPE(kv::Monitors)

namespace {

// 1920x1080 primary at 0,0 and 1280x1024 at 1920,0: a dead strip below the second.
const Monitors kSideBySide =
    monitorLayout({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}, 0);
// The same monitors the other way round, the primary on the right and 56 pixels lower.
const Monitors kStaggered =
    monitorLayout({QRect(0, 0, 1280, 1024), QRect(1280, 56, 1920, 1080)}, 1);

} // namespace

class TestMonitors : public QObject {
    Q_OBJECT
private slots:
    void whichMonitor_data() {
        QTest::addColumn<int>("desk"); // 0 kSideBySide, 1 kStaggered
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("holder");  // -1: no monitor shows the pixel
        QTest::addColumn<int>("nearest"); // the monitor the pixel counts to
        QTest::newRow("origin") << 0 << QPoint(0, 0) << 0 << 0;
        QTest::newRow("last pixel of the first") << 0 << QPoint(1919, 1079) << 0 << 0;
        QTest::newRow("first pixel of the second") << 0 << QPoint(1920, 0) << 1 << 1;
        QTest::newRow("last pixel of the second") << 0 << QPoint(3199, 1023) << 1 << 1;
        QTest::newRow("dead strip, below the second") << 0 << QPoint(2500, 1050) << -1 << 1;
        QTest::newRow("dead strip, by the seam") << 0 << QPoint(1920, 1050) << -1 << 0;
        QTest::newRow("left of the desktop") << 0 << QPoint(-40, 500) << -1 << 0;
        QTest::newRow("right of the desktop") << 0 << QPoint(5000, 500) << -1 << 1;
        QTest::newRow("staggered: above the lower one") << 1 << QPoint(2000, 20) << -1 << 1;
        QTest::newRow("staggered: below the shorter one") << 1 << QPoint(1270, 1100) << -1 << 1;
        QTest::newRow("staggered: left one") << 1 << QPoint(1279, 1023) << 0 << 0;
    }
    void whichMonitor() {
        QFETCH(int, desk);
        QFETCH(QPoint, point);
        QFETCH(int, holder);
        QFETCH(int, nearest);
        const Monitors& m = desk == 0 ? kSideBySide : kStaggered;
        QCOMPARE(m.indexAt(point), holder);
        QCOMPARE(m.nearestIndex(point), nearest);
        QCOMPARE(m.monitorFor(point), m.list[std::size_t(nearest)].rect);
    }

    void rectangles_data() {
        QTest::addColumn<Monitors>("monitors");
        QTest::addColumn<QRect>("desktop");
        QTest::addColumn<QRect>("primary");
        QTest::newRow("side by side")
            << kSideBySide << QRect(0, 0, 3200, 1080) << QRect(0, 0, 1920, 1080);
        QTest::newRow("staggered, primary right")
            << kStaggered << QRect(0, 0, 3200, 1136) << QRect(1280, 56, 1920, 1080);
        QTest::newRow("one screen") << Monitors::single(QRect(0, 0, 800, 600))
                                    << QRect(0, 0, 800, 600) << QRect(0, 0, 800, 600);
        Monitors none;
        none.root = QRect(0, 0, 640, 480);
        QTest::newRow("no monitor known: the root")
            << none << QRect(0, 0, 640, 480) << QRect(0, 0, 640, 480);
        Monitors bad = kSideBySide;
        bad.primary = 5;
        QTest::newRow("primary out of range: the desktop")
            << bad << QRect(0, 0, 3200, 1080) << QRect(0, 0, 3200, 1080);
    }
    void rectangles() {
        QFETCH(Monitors, monitors);
        QFETCH(QRect, desktop);
        QFETCH(QRect, primary);
        QCOMPARE(monitors.desktop(), desktop);
        QCOMPARE(monitors.primaryRect(), primary);
    }

    // A picture of part of the desktop loses exactly the pixels no monitor shows.
    void blackOutside_data() {
        QTest::addColumn<QRect>("area");
        QTest::newRow("whole desktop") << QRect(0, 0, 3200, 1080);
        QTest::newRow("window across the dead corner") << QRect(1800, 900, 600, 300);
        QTest::newRow("window off the left edge") << QRect(-100, 500, 300, 100);
        QTest::newRow("all on one monitor") << QRect(100, 100, 50, 50);
    }
    void blackOutside() {
        QFETCH(QRect, area);
        QImage picture(area.size(), QImage::Format_RGB32);
        picture.fill(qRgb(10, 200, 30));
        blackOutsideMonitors(picture, area.topLeft(), kSideBySide);
        int wrong = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const bool shown = kSideBySide.indexAt(area.topLeft() + QPoint(x, y)) >= 0;
                const QRgb want = shown ? qRgb(10, 200, 30) : qRgb(0, 0, 0);
                wrong += picture.pixel(x, y) != want;
            }
        QCOMPARE(wrong, 0);
    }

    void clamp_data() {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QPoint>("clamped");
        QTest::newRow("inside") << QPoint(10, 20) << QPoint(10, 20);
        QTest::newRow("past the right and bottom") << QPoint(4000, 2000) << QPoint(3199, 1079);
        QTest::newRow("before the left and top") << QPoint(-3, -9) << QPoint(0, 0);
    }
    void clamp() {
        QFETCH(QPoint, point);
        QFETCH(QPoint, clamped);
        QCOMPARE(clampInto(point, QRect(0, 0, 3200, 1080)), clamped);
    }
};

QTEST_GUILESS_MAIN(TestMonitors)
#include "test_monitors.moc"
