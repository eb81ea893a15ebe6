#include "app/clockline.h"

#include <QTest>

class TestClockLine : public QObject {
    Q_OBJECT
private slots:
    void format_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("weekday");
        auto at = [](int y, int mo, int d, int h, int mi, int s) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
        };
        QTest::newRow("zero padding")
            << at(2026, 3, 5, 9, 7, 45) << "2026年03月05日  星期四  09:07:45"
            << "星期四";
        QTest::newRow("sunday") << at(2026, 12, 6, 23, 59, 59) << "2026年12月06日  星期日  23:59:59"
                                << "星期日";
        QTest::newRow("first tick after midnight")
            << at(2026, 12, 7, 0, 0, 0) << "2026年12月07日  星期一  00:00:00"
            << "星期一";
        QTest::newRow("new year") << at(2027, 1, 1, 0, 0, 1) << "2027年01月01日  星期五  00:00:01"
                                  << "星期五";
        QTest::newRow("saturday") << at(2026, 10, 31, 12, 30, 0)
                                  << "2026年10月31日  星期六  12:30:00"
                                  << "星期六";
        QTest::newRow("tuesday") << at(2026, 2, 3, 8, 0, 0) << "2026年02月03日  星期二  08:00:00"
                                 << "星期二";
        QTest::newRow("wednesday") << at(2026, 2, 4, 8, 0, 0) << "2026年02月04日  星期三  08:00:00"
                                   << "星期三";
    }
    void format() {
        QFETCH(QDateTime, now);
        QFETCH(QString, line);
        QFETCH(QString, weekday);
        QString name;
        QCOMPARE(kv::FormatClockLine(now, &name), line);
        QCOMPARE(name, weekday);
    }
};

QTEST_APPLESS_MAIN(TestClockLine)
#include "test_clockline.moc"
