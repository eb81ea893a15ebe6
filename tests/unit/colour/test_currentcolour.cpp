#include "colour/currentcolour.h"

#include <QSignalSpy>
#include <QTest>

using kv::CurrentColour;

class TestCurrentColour : public QObject {
    Q_OBJECT
private slots:
    void startsAtTheDesignedColour() {
        CurrentColour c;
        QCOMPARE(c.value(), 16748574); // RGB(30,144,255), &H00FF901E&
    }

    // Each changed channel is reported once, in the order red, green, blue; what a
    // view reads during a report is the colour as far as it has been set.
    void reportsEachChangedChannelInOrder_data() {
        QTest::addColumn<QList<int>>("set");
        QTest::addColumn<QList<int>>("reports");
        QTest::addColumn<QStringList>("seenDuringReports");
        QTest::newRow("unchanged") << QList<int>{30, 144, 255} << QList<int>{} << QStringList{};
        QTest::newRow("green only")
            << QList<int>{30, 200, 255} << QList<int>{1} << QStringList{"30,200,255"};
        QTest::newRow("red and blue")
            << QList<int>{0, 144, 0} << QList<int>{0, 2} << QStringList{"0,144,255", "0,144,0"};
        QTest::newRow("all three") << QList<int>{1, 2, 3} << QList<int>{0, 1, 2}
                                   << QStringList{"1,144,255", "1,2,255", "1,2,3"};
        QTest::newRow("held in range") << QList<int>{-5, 300, 255} << QList<int>{0, 1}
                                       << QStringList{"0,144,255", "0,255,255"};
    }
    void reportsEachChangedChannelInOrder() {
        QFETCH(QList<int>, set);
        QFETCH(QList<int>, reports);
        QFETCH(QStringList, seenDuringReports);
        CurrentColour c;
        QList<int> got;
        QStringList seen;
        connect(&c, &CurrentColour::channelChanged, this, [&](int which) {
            got << which;
            seen << QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
        });
        c.Set(set[0], set[1], set[2]);
        QCOMPARE(got, reports);
        QCOMPARE(seen, seenDuringReports);
    }

    void setChannelTellsWhetherItChanged_data() {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("held");
        QTest::newRow("red to 0") << 0 << 0 << true << 0;
        QTest::newRow("green same") << 1 << 144 << false << 144;
        QTest::newRow("blue above range") << 2 << 256 << false << 255;
        QTest::newRow("red below range") << 0 << -1 << true << 0;
    }
    void setChannelTellsWhetherItChanged() {
        QFETCH(int, channel);
        QFETCH(int, value);
        QFETCH(bool, changed);
        QFETCH(int, held);
        CurrentColour c;
        QSignalSpy spy(&c, &CurrentColour::channelChanged);
        QCOMPARE(c.SetChannel(channel, value), changed);
        QCOMPARE(c.channel(channel), held);
        QCOMPARE(spy.count(), changed ? 1 : 0);
    }

    void packsAndUnpacksTheWindowSystemLayout_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("red");
        QTest::addColumn<int>("green");
        QTest::addColumn<int>("blue");
        QTest::newRow("designed colour") << 16748574 << 30 << 144 << 255;
        QTest::newRow("red in the low byte") << 0x0000FF << 255 << 0 << 0;
        QTest::newRow("blue in the high byte") << 0xFF0000 << 0 << 0 << 255;
        QTest::newRow("white") << 0xFFFFFF << 255 << 255 << 255;
    }
    void packsAndUnpacksTheWindowSystemLayout() {
        QFETCH(int, value);
        QFETCH(int, red);
        QFETCH(int, green);
        QFETCH(int, blue);
        QCOMPARE(kv::ColourValue(red, green, blue), value);
        const kv::Channels c = kv::SplitColourValue(value);
        QCOMPARE(QList<int>({c.red, c.green, c.blue}), QList<int>({red, green, blue}));
        QCOMPARE(kv::ColourValueOf(qRgb(red, green, blue)), value);
        QCOMPARE(kv::ColourFromValue(value), QColor(red, green, blue));
    }
};

QTEST_MAIN(TestCurrentColour)
#include "test_currentcolour.moc"
