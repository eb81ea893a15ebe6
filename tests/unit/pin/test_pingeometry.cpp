// A pin's arithmetic: its zoom and opacity steps, which picture pixel each screen
// pixel shows, zooming around the pointer, and where a pin placed at the pointer
// stands on monitors of several sizes and places.
#include "pin/pingeometry.h"

#include <QtTest>

using namespace kv;

class TestPinGeometry : public QObject {
    Q_OBJECT
private slots:
    void zoomSteps_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("to");
        QTest::newRow("up from 100") << 100 << 1 << 125;
        QTest::newRow("down from 100") << 100 << -1 << 75;
        QTest::newRow("two up from 150") << 150 << 2 << 300;
        QTest::newRow("three down from 200") << 200 << -3 << 100;
        QTest::newRow("none") << 300 << 0 << 300;
        QTest::newRow("stops at 800") << 600 << 5 << 800;
        QTest::newRow("stays at 800") << 800 << 1 << 800;
        QTest::newRow("stops at 10") << 25 << -4 << 10;
        QTest::newRow("stays at 10") << 10 << -1 << 10;
        // Off the table (never set by a pin itself): the first notch lands on the
        // next step in that direction.
        QTest::newRow("between, up") << 110 << 1 << 125;
        QTest::newRow("between, down") << 110 << -1 << 100;
        QTest::newRow("below the first, up") << 5 << 1 << 10;
        QTest::newRow("above the last, down") << 900 << -1 << 800;
    }
    void zoomSteps() {
        QFETCH(int, from);
        QFETCH(int, notches);
        QFETCH(int, to);
        QCOMPARE(pinZoomStep(from, notches), to);
    }

    void walksEveryStep() {
        // Up from the first step reaches each step once, in order, and back.
        int z = kPinZoomSteps.front();
        for (size_t i = 1; i < kPinZoomSteps.size(); ++i)
            QCOMPARE(z = pinZoomStep(z, 1), kPinZoomSteps[i]);
        for (size_t i = kPinZoomSteps.size() - 1; i-- > 0;)
            QCOMPARE(z = pinZoomStep(z, -1), kPinZoomSteps[i]);
    }

    void opacitySteps_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("notches");
        QTest::addColumn<int>("to");
        QTest::newRow("down") << 100 << -1 << 90;
        QTest::newRow("up") << 50 << 2 << 70;
        QTest::newRow("never above 100") << 100 << 1 << 100;
        QTest::newRow("never below 10") << 20 << -5 << 10;
    }
    void opacitySteps() {
        QFETCH(int, from);
        QFETCH(int, notches);
        QFETCH(int, to);
        QCOMPARE(pinOpacityStep(from, notches), to);
    }

    void shownSize_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<int>("percent");
        QTest::addColumn<QSize>("shown");
        QTest::newRow("100") << QSize(301, 17) << 100 << QSize(301, 17);
        QTest::newRow("200") << QSize(301, 17) << 200 << QSize(602, 34);
        QTest::newRow("125 rounds") << QSize(301, 17) << 125 << QSize(376, 21);
        QTest::newRow("10 keeps a pixel") << QSize(4, 3) << 10 << QSize(1, 1);
        QTest::newRow("75 of 4K") << QSize(3840, 2160) << 75 << QSize(2880, 1620);
    }
    void shownSize() {
        QFETCH(QSize, picture);
        QFETCH(int, percent);
        QFETCH(QSize, shown);
        QCOMPARE(zoomedSize(picture, percent), shown);
    }

    // Enlarged, every picture pixel is a whole block of screen pixels: at 200 %
    // exactly 2 x 2, at 300 % 3 x 3, and the blocks tile without gaps.
    void enlargedPixelsAreBlocks_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("block");
        QTest::newRow("200") << 200 << 2;
        QTest::newRow("300") << 300 << 3;
        QTest::newRow("400") << 400 << 4;
        QTest::newRow("800") << 800 << 8;
    }
    void enlargedPixelsAreBlocks() {
        QFETCH(int, percent);
        QFETCH(int, block);
        const QSize picture(97, 13);
        for (int d = 0; d < picture.width() * block; ++d)
            QCOMPARE(pictureCoordinate(QPoint(d, d % (13 * block)), picture, percent),
                     QPoint(d / block, (d % (13 * block)) / block));
    }

    void pictureCoordinateIsClamped() {
        const QSize picture(10, 10);
        QCOMPARE(pictureCoordinate(QPoint(-1, -5), picture, 100), QPoint(0, 0));
        QCOMPARE(pictureCoordinate(QPoint(10, 99), picture, 100), QPoint(9, 9));
        // Reduced, the last screen pixel still shows the picture's last pixel.
        QCOMPARE(pictureCoordinate(QPoint(4, 4), picture, 50), QPoint(8, 8));
    }

    // The picture pixel under the pointer stays under it; round trips come back.
    void zoomAroundThePointer_data() {
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QPoint>("anchor");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("in at the top-left")
            << QPoint(100, 50) << QPoint(100, 50) << 100 << 200 << QPoint(100, 50);
        QTest::newRow("in 2x") << QPoint(100, 50) << QPoint(110, 60) << 100 << 200
                               << QPoint(90, 40);
        QTest::newRow("out 2x") << QPoint(90, 40) << QPoint(110, 60) << 200 << 100
                                << QPoint(100, 50);
        QTest::newRow("at the far corner")
            << QPoint(0, 0) << QPoint(399, 299) << 100 << 400 << QPoint(-1197, -897);
        QTest::newRow("second monitor, 75")
            << QPoint(2000, 100) << QPoint(2400, 500) << 100 << 75 << QPoint(2100, 200);
    }
    void zoomAroundThePointer() {
        QFETCH(QPoint, topLeft);
        QFETCH(QPoint, anchor);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QPoint, expected);
        QCOMPARE(zoomAround(topLeft, anchor, from, to), expected);
        QCOMPARE(zoomAround(expected, anchor, to, from), topLeft);
    }

    // At the pointer, moved only as far as needed to stay on the pointer's monitor.
    void placedAtThePointer_data() {
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("monitor");
        QTest::addColumn<QPoint>("placed");
        const QRect left(0, 0, 1920, 1080), right(1920, 0, 1280, 1024);
        QTest::newRow("fits") << QPoint(100, 200) << QSize(300, 200) << left << QPoint(100, 200);
        QTest::newRow("right edge")
            << QPoint(1800, 200) << QSize(300, 200) << left << QPoint(1620, 200);
        QTest::newRow("bottom-right corner")
            << QPoint(1919, 1079) << QSize(300, 200) << left << QPoint(1620, 880);
        QTest::newRow("exactly fits")
            << QPoint(1620, 880) << QSize(300, 200) << left << QPoint(1620, 880);
        QTest::newRow("second monitor")
            << QPoint(2000, 900) << QSize(300, 200) << right << QPoint(2000, 824);
        QTest::newRow("second monitor's right edge")
            << QPoint(3150, 10) << QSize(300, 200) << right << QPoint(2900, 10);
        QTest::newRow("wider than the monitor")
            << QPoint(2500, 100) << QSize(1500, 200) << right << QPoint(1920, 100);
        QTest::newRow("larger than the monitor")
            << QPoint(700, 500) << QSize(1920, 1200) << left << QPoint(0, 0);
        QTest::newRow("monitor not at the origin")
            << QPoint(-50, -20) << QSize(100, 100) << QRect(-1280, -1024, 1280, 1024)
            << QPoint(-100, -100);
    }
    void placedAtThePointer() {
        QFETCH(QPoint, pointer);
        QFETCH(QSize, picture);
        QFETCH(QRect, monitor);
        QFETCH(QPoint, placed);
        QCOMPARE(placePinPicture(pointer, picture, monitor), placed);
    }

    void windowIsOnePixelLargerOnEverySide() {
        QCOMPARE(pinWindowRect(QPoint(10, 20), QSize(30, 40)), QRect(9, 19, 32, 42));
        // At scale 2 on Wayland: whole layout units, the border taking the rest.
        QCOMPARE(roundedUpTo(QSize(213, 139), 2), QSize(214, 140));
        QCOMPARE(roundedUpTo(QSize(212, 140), 2), QSize(212, 140));
        QCOMPARE(roundedUpTo(QSize(213, 139), 1), QSize(213, 139));
        QCOMPARE(roundedUpTo(QSize(10, 11), 3), QSize(12, 12));
    }

    // A touchpad's small deltas add up to whole notches; a turn back starts anew.
    void wheelNotches() {
        WheelNotches w;
        QCOMPARE(w.take(60), 0);
        QCOMPARE(w.take(60), 1);
        QCOMPARE(w.take(240), 2);
        QCOMPARE(w.take(100), 0);
        QCOMPARE(w.take(-120), -1);
        QCOMPARE(w.take(-60), 0);
        QCOMPARE(w.take(-60), -1);
    }
};

QTEST_APPLESS_MAIN(TestPinGeometry)
#include "test_pingeometry.moc"
