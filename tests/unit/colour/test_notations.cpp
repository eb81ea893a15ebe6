#include "colour/notations.h"

#include <QTest>

class TestNotations : public QObject {
    Q_OBJECT
private slots:
    void table_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("initial") << 30 << 144 << 255
                                 << QStringList{"#1E90FF",     "16748574", "RGB(30,144,255)",
                                                "&H00FF901E&", "0xFF901E", "$00FF901E"};
        QTest::newRow("black") << 0 << 0 << 0
                               << QStringList{"#000000",     "0",        "RGB(0,0,0)",
                                              "&H00000000&", "0x000000", "$00000000"};
        QTest::newRow("two digits, blue first")
            << 255 << 5 << 16 << QStringList{"#FF0510",     "1050111",  "RGB(255,5,16)",
                                             "&H001005FF&", "0x1005FF", "$001005FF"};
        QTest::newRow("white") << 255 << 255 << 255
                               << QStringList{"#FFFFFF",     "16777215", "RGB(255,255,255)",
                                              "&H00FFFFFF&", "0xFFFFFF", "$00FFFFFF"};
        QTest::newRow("hex letters upper case")
            << 171 << 205 << 239 << QStringList{"#ABCDEF",     "15715755", "RGB(171,205,239)",
                                                "&H00EFCDAB&", "0xEFCDAB", "$00EFCDAB"};
    }
    void table() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(QStringList, texts);
        const auto got = kv::FormatColourNotations(r, g, b);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(got[i], texts[i]);
    }
};

QTEST_APPLESS_MAIN(TestNotations)
#include "test_notations.moc"
