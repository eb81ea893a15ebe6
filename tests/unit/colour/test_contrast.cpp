// WCAG 2 contrast: ratios of known pairs, the marks at their thresholds, the menu's lines.
#include "colour/contrast.h"

#include <QTest>

class TestContrast : public QObject {
    Q_OBJECT
private slots:
    // Reference ratios from WCAG 2's formulas worked out apart from this code.
    void ratios_data() {
        QTest::addColumn<QRgb>("first");
        QTest::addColumn<QRgb>("second");
        QTest::addColumn<QString>("figure");
        QTest::newRow("black on white") << qRgb(0, 0, 0) << qRgb(255, 255, 255) << "21.00:1 AAA";
        QTest::newRow("order does not matter")
            << qRgb(255, 255, 255) << qRgb(0, 0, 0) << "21.00:1 AAA";
        QTest::newRow("DodgerBlue and white")
            << qRgb(30, 144, 255) << qRgb(255, 255, 255) << "3.24:1 AA 大字";
        QTest::newRow("DodgerBlue and black") << qRgb(30, 144, 255) << qRgb(0, 0, 0) << "6.49:1 AA";
        QTest::newRow("same colour") << qRgb(30, 144, 255) << qRgb(30, 144, 255) << "1.00:1";
        QTest::newRow("red and white, just below 4")
            << qRgb(255, 0, 0) << qRgb(255, 255, 255) << "4.00:1 AA 大字";
        QTest::newRow("blue and black, below 3") << qRgb(0, 0, 255) << qRgb(0, 0, 0) << "2.44:1";
        // The greys either side of the thresholds: #777777 fails AA, #767676 passes.
        QTest::newRow("#777777 on white")
            << qRgb(119, 119, 119) << qRgb(255, 255, 255) << "4.48:1 AA 大字";
        QTest::newRow("#767676 on white")
            << qRgb(118, 118, 118) << qRgb(255, 255, 255) << "4.54:1 AA";
        QTest::newRow("#595959 on white")
            << qRgb(89, 89, 89) << qRgb(255, 255, 255) << "7.00:1 AAA";
    }
    void ratios() {
        QFETCH(QRgb, first);
        QFETCH(QRgb, second);
        QFETCH(QString, figure);
        QCOMPARE(kv::ContrastFigure(kv::ContrastRatio(first, second)), figure);
    }

    void marksJudgeTheRatioNotItsFigure_data() {
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("mark");
        QTest::newRow("2.999") << 2.999 << "";
        QTest::newRow("3") << 3.0 << "AA 大字";
        QTest::newRow("4.499 shows 4.50 yet fails AA") << 4.499 << "AA 大字";
        QTest::newRow("4.5") << 4.5 << "AA";
        QTest::newRow("6.999") << 6.999 << "AA";
        QTest::newRow("7") << 7.0 << "AAA";
    }
    void marksJudgeTheRatioNotItsFigure() {
        QFETCH(double, ratio);
        QFETCH(QString, mark);
        QCOMPARE(kv::ContrastMark(ratio), mark);
    }

    void lines() {
        QCOMPARE(kv::ContrastLine(qRgb(30, 144, 255)),
                 QStringLiteral("对比度 白 3.24:1 AA 大字 · 黑 6.49:1 AA"));
        QCOMPARE(kv::ContrastWithLine(qRgb(0, 0, 0), qRgb(30, 144, 255)),
                 QStringLiteral("对比度 上一颜色 #1E90FF 6.49:1 AA"));
    }
};

QTEST_APPLESS_MAIN(TestContrast)
#include "test_contrast.moc"
