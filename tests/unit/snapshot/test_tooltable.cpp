// The tool table: every drawing tool has its button, its tip text, its own icon, its
// pen-size slot and its option-bar layout; the command buttons arm no tool.
#include "snapshot/optionbar_layout.h"
#include "snapshot/tool.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/tooltable.h"

#include <QSet>
#include <QtTest>

using namespace kv;

namespace {

bool hasInk(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qAlpha(img.pixel(x, y)) > 0) return true;
    return false;
}

} // namespace

class TestToolTable : public QObject {
    Q_OBJECT
private slots:
    void eachTool_data() {
        QTest::addColumn<ToolKind>("kind");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("chooser");
        QTest::addColumn<double>("barWidth");
        const int none = int(ToolChooser::None), pen = int(ToolChooser::PenSize),
                  font = int(ToolChooser::FontSize);
        QTest::newRow("arrow") << ToolKind::Arrow << 4 << "箭头工具" << -1 << none << 166.33;
        QTest::newRow("text") << ToolKind::Text << 5 << "文字工具" << -1 << font << 241.33;
        QTest::newRow("ellipse") << ToolKind::Ellipse << 6 << "椎圆工具" << 0 << pen << 241.33;
        QTest::newRow("rectangle") << ToolKind::Rectangle << 7 << "矩形工具" << 1 << pen << 241.33;
        QTest::newRow("brush") << ToolKind::Brush << 9 << "画刷工具" << 2 << pen << 241.33;
        QTest::newRow("mosaic") << ToolKind::Mosaic << 10 << "马赛克" << 3 << pen << 241.33;
        QTest::newRow("numbered steps")
            << ToolKind::StepNumber << 11 << "序号" << 4 << pen << 241.33;
    }
    void eachTool() {
        QFETCH(ToolKind, kind);
        QFETCH(int, button);
        QFETCH(QString, tip);
        QFETCH(int, slot);
        QFETCH(int, chooser);
        QFETCH(double, barWidth);
        const ToolInfo* info = toolInfo(kind);
        QVERIFY(info);
        QCOMPARE(info->kind, kind);
        QCOMPARE(info->button, button);
        QCOMPARE(toolOfButton(button), kind);
        QCOMPARE(toolTip(kind), tip);
        QCOMPARE(toolButtonTip(button), tip);
        QCOMPARE(penSlotOf(kind), slot);
        QCOMPARE(int(info->chooser), chooser);
        QVERIFY(qAbs(optionBarWidthFor(kind) - barWidth) < 0.005);
        QVERIFY(hasInk(toolButtonIcon(button)));
        QCOMPARE(info->make(*info)->kind(), kind);
    }

    void tableIsConsistent() {
        QSet<int> buttons, penSlots;
        QSet<ToolKind> kinds;
        for (const ToolInfo& t : toolTable()) {
            QVERIFY(t.kind != ToolKind::None);
            kinds << t.kind;
            buttons << t.button;
            QVERIFY(t.paintIcon);
            if (t.penSlot >= 0) {
                QVERIFY(t.penSlot < kPenSlotCount);
                QVERIFY2(!penSlots.contains(t.penSlot), "two tools share a pen slot");
                penSlots << t.penSlot;
            }
            // A tool with pen sizes shows the pen-size chooser, and only such a tool.
            QCOMPARE(t.penSlot >= 0, t.chooser == ToolChooser::PenSize);
        }
        QCOMPARE(kinds.size(), kToolCount);
        QCOMPARE(buttons.size(), kToolCount);
        QCOMPARE(penSlots.size(), kPenSlotCount);
        QCOMPARE(toolInfo(ToolKind::None), nullptr);
        QCOMPARE(penSlotOf(ToolKind::None), -1);
        QCOMPARE(toolTip(ToolKind::None), QString());
    }

    void commandButtonsArmNoTool() {
        QSet<int> all;
        for (const CommandButton& c : commandButtons()) {
            QCOMPARE(toolOfButton(c.index), ToolKind::None);
            QVERIFY(!toolButtonTip(c.index).isEmpty());
            all << c.index;
        }
        int ownTools = 0;
        for (const ToolInfo& t : toolTable()) {
            if (t.button < kFirstSecondBarButton)
                all << t.button;
            else
                ++ownTools;
        }
        // Together the described tools and the commands are the ten buttons of the bar;
        // every button of both bars has an icon of its own.
        QCOMPARE(all.size(), kToolButtonCount);
        const int buttons = kToolButtonCount + ownTools;
        for (int i = 0; i < buttons; ++i)
            for (int j = i + 1; j < buttons; ++j)
                QVERIFY(toolButtonIcon(i) != toolButtonIcon(j));
    }
};

QTEST_MAIN(TestToolTable)
#include "test_tooltable.moc"
