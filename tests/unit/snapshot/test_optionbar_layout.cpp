// Option bar placement, widths per tool, text box growth and font-size reading.
#include "snapshot/optionbar_layout.h"
#include "snapshot/textbox.h"
#include "snapshot/tooltable.h"

#include <QtTest>

using namespace kv;

class TestOptionBarLayout : public QObject {
    Q_OBJECT
private slots:
    void placement_data();
    void placement();
    void widthPerTool_data();
    void widthPerTool();
    void textBoxGrowth_data();
    void textBoxGrowth();
    void fontSize_data();
    void fontSize();
};

void TestOptionBarLayout::placement_data() {
    QTest::addColumn<QRectF>("toolBar");
    QTest::addColumn<double>("screenHeight");
    QTest::addColumn<QPointF>("position");
    const double h = kOptionBarHeight;
    QTest::newRow("room below") << QRectF(300, 400, 265, 26) << 1080.0 << QPointF(300, 429);
    // Exactly enough room: 1000 + 26 + 3 + 37.33 = 1066.33.
    QTest::newRow("just fits below")
        << QRectF(10, 1000, 265, 26) << 1000 + 26 + 3 + h << QPointF(10, 1029);
    QTest::newRow("one pixel short")
        << QRectF(10, 1000, 265, 26) << 1000 + 26 + 3 + h - 1 << QPointF(10, 1000 - h - 3);
    QTest::newRow("at the bottom")
        << QRectF(0, 1050, 265, 26) << 1080.0 << QPointF(0, 1050 - h - 3);
}

void TestOptionBarLayout::placement() {
    QFETCH(QRectF, toolBar);
    QFETCH(double, screenHeight);
    QFETCH(QPointF, position);
    const QPointF p =
        optionBarPosition(toolBar, kOptionBarHeight, QRectF(0, 0, 1920, screenHeight));
    QCOMPARE(p.x(), position.x());
    QVERIFY(qAbs(p.y() - position.y()) < 1e-9);
}

void TestOptionBarLayout::widthPerTool_data() {
    QTest::addColumn<ToolKind>("tool");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("gridLeft");
    QTest::newRow("arrow") << ToolKind::Arrow << 166.33 << 4.0;
    QTest::newRow("text") << ToolKind::Text << 241.33 << 78.67;
    QTest::newRow("ellipse") << ToolKind::Ellipse << 241.33 << 78.67;
    QTest::newRow("rectangle") << ToolKind::Rectangle << 241.33 << 78.67;
    QTest::newRow("brush") << ToolKind::Brush << 241.33 << 78.67;
}

void TestOptionBarLayout::widthPerTool() {
    QFETCH(ToolKind, tool);
    QFETCH(double, width);
    QFETCH(double, gridLeft);
    QVERIFY(qAbs(optionBarWidthFor(tool) - width) < 0.005);
    QVERIFY(qAbs(colourGridLeftFor(tool) - gridLeft) < 0.005);
}

void TestOptionBarLayout::textBoxGrowth_data() {
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("grown");
    QTest::newRow("short text keeps the box") << 25 << 5 << 25;
    QTest::newRow("text reaching the edge widens") << 25 << 10 << 25;
    QTest::newRow("longer text widens") << 25 << 40 << 55;
    QTest::newRow("deleting never narrows") << 55 << 12 << 55;
}

void TestOptionBarLayout::textBoxGrowth() {
    QFETCH(int, box);
    QFETCH(int, text);
    QFETCH(int, grown);
    QCOMPARE(grownTextBoxWidth(box, text), grown);
}

void TestOptionBarLayout::fontSize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("last");
    QTest::addColumn<float>("size");
    QTest::newRow("list item") << "18" << 11.0f << 18.0f;
    QTest::newRow("fraction") << "10.5" << 11.0f << 10.5f;
    QTest::newRow("spaces") << " 14 " << 11.0f << 14.0f;
    QTest::newRow("empty") << "" << 11.0f << 11.0f;
    QTest::newRow("letters") << "abc" << 14.0f << 14.0f;
    QTest::newRow("zero") << "0" << 11.0f << 11.0f;
    QTest::newRow("negative") << "-8" << 12.0f << 12.0f;
    QTest::newRow("not a number") << "nan" << 11.0f << 11.0f;
    QTest::newRow("absurd") << "1e9" << 11.0f << 11.0f;
}

void TestOptionBarLayout::fontSize() {
    QFETCH(QString, text);
    QFETCH(float, last);
    QFETCH(float, size);
    QCOMPARE(fontSizeFromText(text, last), size);
}

QTEST_MAIN(TestOptionBarLayout)
#include "test_optionbar_layout.moc"
