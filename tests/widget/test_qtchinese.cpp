// The windows Qt draws for Kolvane speak Chinese like the rest of it.
#include "app/qtchinese.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

class TestQtChinese : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(kv::installQtChinese(*QCoreApplication::instance())); }

    void standardButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("ok") << int(QDialogButtonBox::Ok) << QStringLiteral("确定");
        QTest::newRow("cancel") << int(QDialogButtonBox::Cancel) << QStringLiteral("取消");
        QTest::newRow("save") << int(QDialogButtonBox::Save) << QStringLiteral("保存");
    }
    void standardButtons() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QDialogButtonBox box(QDialogButtonBox::StandardButtons{button});
        QCOMPARE(box.button(QDialogButtonBox::StandardButton(button))->text().remove('&'), text);
    }

    void colourDialog() {
        QColorDialog dialog;
        QStringList texts;
        for (auto* b : dialog.findChildren<QPushButton*>())
            texts << b->text().remove('&');
        const QString all = texts.join('|');
        QVERIFY2(all.contains(QStringLiteral("拾取屏幕颜色")), qPrintable(all));
        QVERIFY2(!all.contains(QStringLiteral("Pick Screen Color")), qPrintable(all));
    }
};

QTEST_MAIN(TestQtChinese)
#include "test_qtchinese.moc"
