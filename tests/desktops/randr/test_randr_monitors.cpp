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
