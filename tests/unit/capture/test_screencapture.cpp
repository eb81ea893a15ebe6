// Which part of the screen each capture routine reads, with the screen and the
// window manager played by fakes.
#include "capture/screencapture.h"
#include "support/fakescreen.h"
#include "support/fakewindows.h"

#include <QtTest>
#include <map>

using namespace kv;

namespace {

// A 1280x1024 monitor at 0,0 and the 1920x1080 primary to its right.
Monitors primaryOnTheRight() {
    Monitors m;
    m.root = QRect(0, 0, 3200, 1080);
    m.list = {{QRect(0, 0, 1280, 1024), 1.0}, {QRect(1280, 0, 1920, 1080), 1.0}};
    m.primary = 1;
    return m;
}

// A screen of one colour, its grabs recorded.
struct RedScreen : kvtest::FakeScreen {
    RedScreen() : FakeScreen(QSize(1920, 1080), kvtest::PlainPattern(qRgb(255, 0, 0))) {}
};

// Windows on two monitors side by side.
struct TwoMonitorWindows : kvtest::FakeWindows {
    TwoMonitorWindows() { rootRect = QRect(0, 0, 2560, 1080); }
};

} // namespace

class TestScreenCapture : public QObject {
    Q_OBJECT
private slots:
    void reads_data() {
        QTest::addColumn<QString>("routine");
        QTest::addColumn<WId>("active");
        QTest::addColumn<QRect>("expected"); // null: nothing read, no picture
        const QRect none;
        QTest::newRow("screen: the primary screen only")
            << "screen" << WId(0) << QRect(0, 0, 1920, 1080);
        QTest::newRow("active window with its frame")
            << "active" << WId(7) << QRect(95, 40, 210, 130);
        QTest::newRow("no active window") << "active" << WId(0) << none;
        QTest::newRow("active window already gone") << "active" << WId(99) << none;
        QTest::newRow("active window of no size") << "active" << WId(8) << none;
        QTest::newRow("part of a frame") << "frame part" << WId(0) << QRect(105, 60, 30, 20);
        QTest::newRow("part of a client area") << "client part" << WId(0) << QRect(110, 85, 30, 20);
        QTest::newRow("empty rectangle") << "empty" << WId(0) << none;
        QTest::newRow("negative size") << "negative" << WId(0) << none;
    }
    void reads() {
        QFETCH(QString, routine);
        QFETCH(WId, active);
        QFETCH(QRect, expected);
        RedScreen screen;
        TwoMonitorWindows windows;
        windows.active = active;
        windows.windows[7] = {QRect(95, 40, 210, 130), QRect(100, 65, 200, 100)};
        windows.windows[8] = {QRect(300, 300, 0, 0), QRect(300, 300, 0, 0)};
        ScreenCapture capture(screen, windows);

        QImage result;
        if (routine == "screen") result = capture.captureScreen().image;
        if (routine == "active") result = capture.captureActiveWindow().image;
        if (routine == "frame part") result = capture.captureWindow(7, false, 10, 20, 30, 20).image;
        if (routine == "client part") result = capture.captureWindow(7, true, 10, 20, 30, 20).image;
        if (routine == "empty") result = capture.captureWindow(7, false, 0, 0, 0, 20).image;
        if (routine == "negative") result = capture.captureWindow(7, false, 0, 0, 10, -5).image;

        if (expected.isNull()) {
            QVERIFY(screen.grabbed.isEmpty());
            QVERIFY(result.isNull());
        } else {
            QCOMPARE(screen.grabbed, QList<QRect>{expected});
            QCOMPARE(result.size(), expected.size());
        }
    }

    // A screen that cannot be read: no picture, and the reason with it.
    void unreadableScreen() {
        RedScreen screen;
        screen.failure = QStringLiteral("桌面门户拒绝了请求");
        TwoMonitorWindows windows;
        windows.active = 7;
        windows.windows[7] = {QRect(95, 40, 210, 130), QRect(100, 65, 200, 100)};
        ScreenCapture capture(screen, windows);
        for (const ScreenGrab& read : {capture.captureScreen(), capture.captureActiveWindow()}) {
            QVERIFY(read.image.isNull());
            QCOMPARE(read.failure, screen.failure);
        }
        // Nothing to read is no failure.
        QVERIFY(!capture.captureWindow(7, false, 0, 0, 0, 20).failed());
    }

    // On two monitors: the primary one wherever it lies; a window over the corner that
    // no monitor shows, or off the desktop, black there and read as it is elsewhere.
    void twoMonitors_data() {
        QTest::addColumn<QString>("routine");
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("expected");
        QTest::newRow("screen: the primary on the right")
            << "screen" << QRect() << QRect(1280, 0, 1920, 1080);
        QTest::newRow("window over the dead corner")
            << "active" << QRect(1200, 1000, 200, 60) << QRect(1200, 1000, 200, 60);
        QTest::newRow("window off the left edge")
            << "active" << QRect(-50, 100, 200, 60) << QRect(-50, 100, 200, 60);
    }
    void twoMonitors() {
        QFETCH(QString, routine);
        QFETCH(QRect, frame);
        QFETCH(QRect, expected);
        RedScreen screen;
        screen.desk = primaryOnTheRight();
        TwoMonitorWindows windows;
        windows.active = 7;
        windows.windows[7] = {frame, frame};
        ScreenCapture capture(screen, windows);
        const QImage result =
            (routine == "screen" ? capture.captureScreen() : capture.captureActiveWindow()).image;
        QCOMPARE(screen.grabbed, QList<QRect>{expected});
        QCOMPARE(result.size(), expected.size());
        int wrong = 0;
        for (int y = 0; y < result.height(); ++y)
            for (int x = 0; x < result.width(); ++x) {
                const bool shown = screen.desk.indexAt(expected.topLeft() + QPoint(x, y)) >= 0;
                wrong += result.pixel(x, y) != (shown ? qRgb(255, 0, 0) : qRgb(0, 0, 0));
            }
        QCOMPARE(wrong, 0);
    }
};

QTEST_GUILESS_MAIN(TestScreenCapture)
#include "test_screencapture.moc"
