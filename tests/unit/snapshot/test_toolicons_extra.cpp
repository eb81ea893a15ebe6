// The mosaic and numbered-step icons: drawn, and unlike each other and every button's icon.
#include "snapshot/toolicons.h"
#include "snapshot/toolicons_extra.h"
#include "snapshot/tooltable.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace kv;

class TestToolIconsExtra : public QObject {
    Q_OBJECT
private slots:
    void drawnAndDistinct();
};

void TestToolIconsExtra::drawnAndDistinct() {
    const QImage mosaic = iconImage(paintMosaicIcon), step = iconImage(paintStepNumberIcon);
    for (const QImage& icon : {mosaic, step}) {
        QCOMPARE(icon.size(), QSize(16, 16));
        // Ink well inside the icon, and a transparent ground at its corners.
        int inked = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                inked += qAlpha(icon.pixel(x, y)) > 128;
        QVERIFY2(inked > 60, qPrintable(QString::number(inked)));
        QCOMPARE(qAlpha(icon.pixel(0, 15)), 0);
        QCOMPARE(qAlpha(icon.pixel(15, 0)), 0);
    }
    QVERIFY(mosaic != step);
    for (int button = 0; button < 10; ++button) {
        QVERIFY(toolButtonIcon(button) != mosaic);
        QVERIFY(toolButtonIcon(button) != step);
    }
}

QTEST_MAIN(TestToolIconsExtra)
#include "test_toolicons_extra.moc"
