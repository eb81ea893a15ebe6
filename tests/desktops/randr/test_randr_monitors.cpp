// Two RandR monitors on one 3200x1080 screen, the primary on the right: a 1280x1024
// monitor at 0,0 and the 1920x1080 primary at 1280,0 (scripts/desktops/randr.sh).
#include "e2e/support/desktop.h"
#include "e2e/support/multimonitor.h"
#include "platform/x11screenreader.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>

namespace {

void setMonitor(const QString& name, const QRect& r, const QString& output) {
    e2e::run("xrandr", {"--delmonitor", QString(name).remove('*')});
    e2e::run(
        "xrandr",
        {"--setmonitor", name,
         QStringLiteral("%1/300x%2/200+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()),
         output});
}

} // namespace

class TestRandrMonitors : public e2e::MultiMonitorTest {
    Q_OBJECT
public:
    TestRandrMonitors()
        : MultiMonitorTest({{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)}, 1}) {}

private slots:
    // Each way of reading the screen reads either monitor, and across the seam, exactly.
    void everyReadPathReadsBothMonitors_data() {
        QTest::addColumn<int>("path");
        QTest::newRow("render") << int(kv::X11ReadPath::Best);
        QTest::newRow("shared memory") << int(kv::X11ReadPath::SharedMemory);
        QTest::newRow("plain") << int(kv::X11ReadPath::NoSharedMemory);
    }
    void everyReadPathReadsBothMonitors() {
        QFETCH(int, path);
        const QImage root = e2e::grabScreen();
        const auto reader = kv::createX11ScreenReader(kv::X11ReadPath(path));
        QVERIFY(reader);
        // Away from the main window, whose clock may change between two reads.
        for (const QRect& r :
             {QRect(1100, 0, 400, 250), QRect(0, 0, 1280, 200), QRect(2900, 100, 300, 100)}) {
            const QString diff = e2e::pictureDifference(reader->grab(r).image, root.copy(r));
            QVERIFY2(diff.isEmpty(),
                     qPrintable(diff + QStringLiteral(" reading %1,%2").arg(r.x()).arg(r.y())));
        }
    }
    void monitorsAsTheServerReportsThem() {
        for (QScreen* s : QGuiApplication::screens())
            qInfo() << "Qt's screen" << s->name() << s->geometry()
                    << (s == QGuiApplication::primaryScreen() ? "primary" : "");
        const auto reader = kv::createX11ScreenReader(kv::X11ReadPath::Best);
        QVERIFY(reader);
        const kv::Monitors m = reader->monitors();
        QCOMPARE(m.root, QRect(0, 0, 3200, 1080));
        QCOMPARE(int(m.list.size()), 2);
        QVERIFY(m.primary >= 0 && m.primary < 2);
        QCOMPARE(m.primaryRect(), primary());
        QCOMPARE(m.list[std::size_t(1 - m.primary)].rect, second());
    }

    // The primary monitor shrinks while the program runs: an open editor keeps its
    // picture, the next full-screen capture is of the new primary monitor.
    void aChangedMonitorCountsAtTheNextCapture() {
        const QRect smaller(1280, 0, 1600, 900);
        QVERIFY(openEditor());
        const QImage frozen = e2e::grabScreen();
        setMonitor("*KV-RIGHT", smaller, "screen");
        QTest::qWait(500);
        QString diff = e2e::pictureDifference(e2e::grabScreen(), frozen);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QVERIFY(closeEditor());

        const QStringList before = captures();
        clickCommand(QPoint(80, 310)); // "全屏截图"
        const QImage capture = newCapture(before);
        setMonitor("*KV-RIGHT", primary(), "screen");
        QVERIFY2(!capture.isNull(), "no capture was saved");
        QImage expected = e2e::grabScreen().copy(smaller);
        const QRect main = mainArea_.translated(-smaller.topLeft());
        QPainter(&expected).drawImage(main, capture.copy(main));
        diff = e2e::pictureDifference(capture, expected);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
    }
};

QTEST_MAIN(TestRandrMonitors)
#include "test_randr_monitors.moc"
