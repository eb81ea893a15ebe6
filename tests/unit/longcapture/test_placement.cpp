// Where the long capture's frame and panel go: around and beside the selection, never
// over what is read.
#include "longcapture/placement.h"
#include "support/monitorlayout.h"

#include <QRegion>
#include <QTest>

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void panel_data();
    void panel();
    void frameIsARingOutsideTheSelection();
};

void TestPlacement::panel_data() {
    QTest::addColumn<QRect>("selection");
    QTest::addColumn<bool>("twoMonitors");
    QTest::addColumn<QRect>("expected");
    QTest::addColumn<bool>("overSelection");
    const QSize s(180, 200);
    QTest::newRow("right of it") << QRect(100, 100, 600, 500) << false << QRect(QPoint(710, 98), s)
                                 << false;
    QTest::newRow("left where the right has no room")
        << QRect(1300, 100, 600, 500) << false << QRect(QPoint(1110, 98), s) << false;
    QTest::newRow("below a selection as wide as the monitor")
        << QRect(0, 100, 1920, 500) << false << QRect(QPoint(0, 610), s) << false;
    QTest::newRow("above where below has no room")
        << QRect(0, 300, 1920, 700) << false << QRect(QPoint(0, 90), s) << false;
    QTest::newRow("kept on the monitor along the side")
        << QRect(100, 950, 600, 100) << false << QRect(QPoint(710, 880), s) << false;
    QTest::newRow("the whole monitor: no room")
        << QRect(0, 0, 1920, 1080) << false << QRect(QPoint(1740, 880), s) << true;
    QTest::newRow("the whole monitor: on the other one")
        << QRect(0, 0, 1920, 1080) << true << QRect(QPoint(1930, 0), s) << false;
}

void TestPlacement::panel() {
    QFETCH(QRect, selection);
    QFETCH(bool, twoMonitors);
    QFETCH(QRect, expected);
    QFETCH(bool, overSelection);
    const kv::Monitors monitors =
        twoMonitors ? monitorLayout({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}, 0)
                    : monitorLayout({QRect(0, 0, 1920, 1080)}, 0);
    const kv::PanelPlace place = kv::placePanel(QSize(180, 200), selection, monitors);
    QCOMPARE(place.rect, expected);
    QCOMPARE(place.overSelection, overSelection);
    if (!overSelection) QVERIFY(!place.rect.intersects(selection.adjusted(-2, -2, 2, 2)));
}

void TestPlacement::frameIsARingOutsideTheSelection() {
    const QRect selection(10, 20, 30, 40);
    QRegion frame;
    for (const QRect& strip : kv::frameStrips(selection, 2)) {
        QVERIFY(!strip.intersects(selection));
        QVERIFY(!frame.intersects(strip));
        frame += strip;
    }
    QCOMPARE(frame, QRegion(selection.adjusted(-2, -2, 2, 2)) - QRegion(selection));
}

QTEST_APPLESS_MAIN(TestPlacement)
#include "test_placement.moc"
