// Two Xinerama heads of different heights: a 1920x1080 primary at 0,0 and a
// 1280x1024 head at 1920,0 (scripts/desktops/xinerama.sh).
#include "e2e/support/multimonitor.h"
#include "platform/x11screenreader.h"

#include "e2e/support/desktop.h"
#include "e2e/support/noisewindow.h"

#include <QGuiApplication>
#include <QPainter>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestTwoHeads : public e2e::MultiMonitorTest {
    Q_OBJECT
public:
    TestTwoHeads() : MultiMonitorTest({{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}, 0}) {}

private slots:
    // Each way of reading the screen reads either head, and across the seam, exactly.
    void everyReadPathReadsBothHeads_data() {
        QTest::addColumn<int>("path");
        QTest::newRow("render") << int(kv::X11ReadPath::Best);
        QTest::newRow("shared memory") << int(kv::X11ReadPath::SharedMemory);
        QTest::newRow("plain") << int(kv::X11ReadPath::NoSharedMemory);
    }
    void everyReadPathReadsBothHeads() {
        QFETCH(int, path);
        e2e::NoiseWindow window(QRect(1700, 600, 500, 300), false);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(300);
        const QImage root = e2e::grabScreen();
        const auto reader = kv::createX11ScreenReader(kv::X11ReadPath(path));
        QVERIFY(reader);
        // Not the whole root: the main window's clock may change between two reads.
        for (const QRect& r : {QRect(1700, 600, 500, 300), QRect(1300, 0, 1900, 280),
                               QRect(2000, 700, 100, 100), QRect(3100, 1000, 200, 100)}) {
            // What lies beneath the shorter head is no monitor's and undefined.
            const QRegion dead =
                QRegion(r) - QRegion(layout_.monitors[0]) - QRegion(layout_.monitors[1]);
            QImage read = reader->grab(r).image, expected = root.copy(r);
            for (QImage* picture : {&read, &expected}) {
                QPainter p(picture);
                for (const QRect& d : dead)
                    p.fillRect(d.translated(-r.topLeft()), Qt::black);
            }
            const QString diff = e2e::pictureDifference(read, expected);
            QVERIFY2(diff.isEmpty(), qPrintable(diff + QStringLiteral(" reading %1,%2 %3x%4")
                                                           .arg(r.x())
                                                           .arg(r.y())
                                                           .arg(r.width())
                                                           .arg(r.height())));
        }
    }
    void headsAsTheServerReportsThem() {
        for (QScreen* s : QGuiApplication::screens())
            qInfo() << "Qt's screen" << s->name() << s->geometry()
                    << (s == QGuiApplication::primaryScreen() ? "primary" : "");
        const auto reader = kv::createX11ScreenReader(kv::X11ReadPath::Best);
        QVERIFY(reader);
        const kv::Monitors m = reader->monitors();
        QCOMPARE(m.root, QRect(0, 0, 3200, 1080));
        QCOMPARE(int(m.list.size()), 2);
        QCOMPARE(m.list[0].rect, layout_.monitors[0]);
        QCOMPARE(m.list[1].rect, layout_.monitors[1]);
        QCOMPARE(m.primary, 0);
    }
};

QTEST_MAIN(TestTwoHeads)
#include "test_two_heads.moc"
