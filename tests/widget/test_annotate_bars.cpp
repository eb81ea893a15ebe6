// The tool bar and the option bar as the user meets them: hover frames, clicks, the
// colour grid's release rule, pen-size frames per tool and the font-size list.
// Mouse events go the way the window system delivers them (popups, double clicks).
#define QTEST_QPA_MOUSE_HANDLING
#include "snapshot/optionbar.h"
#include "snapshot/overlays.h"
#include "snapshot/toolbar.h"
#include "snapshot/tooltable.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace kv;

class TestAnnotateBars : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void hoverFramesFollowThePointer();
    void clicksReportTheirButton();
    void buttonsSitAtTheirPlaces_data();
    void buttonsSitAtTheirPlaces();
    void colourChosenOnRelease_data();
    void colourChosenOnRelease();
    void penSizeFramedPerTool();
    void layoutPerTool_data();
    void layoutPerTool();
    void sizeListOpensAndClosesFromTheFace();
    void chosenSizeGoesIntoTheBox();
    void optionsGivenAreShownQuietly();

private:
    QWidget* window = nullptr;
    ToolBar* toolBar = nullptr;
    OptionBar* optionBar = nullptr;
    ToolOptions told; // what the bar reported last
    int reports = 0;
};

void TestAnnotateBars::init() {
    window = new QWidget;
    window->resize(400, 200);
    auto* p1 = new ToolBarPanel(window);
    p1->setGeometry(20, 20, kToolBarWidth, kToolBarHeight);
    toolBar = new ToolBar(p1);
    auto* p2 = new ClickableLabel(window);
    p2->setGeometry(20, 49, 241, 37);
    told = {};
    reports = 0;
    optionBar = new OptionBar(p2);
    connect(optionBar, &OptionBar::optionsChanged, this, [this](const ToolOptions& o) {
        told = o;
        ++reports;
    });
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestAnnotateBars::cleanup() {
    delete window;
    window = nullptr;
}

void TestAnnotateBars::hoverFramesFollowThePointer() {
    QCOMPARE(toolBar->hoverFrame(), -1);
    QTest::mouseMove(toolBar->Image2[9], QPoint(8, 8));
    QCOMPARE(toolBar->hoverFrame(), 9);
    QTest::mouseMove(toolBar->Image2[4], QPoint(8, 8));
    QCOMPARE(toolBar->hoverFrame(), 4);
    // The frame surrounds its icon.
    QVERIFY(toolBar->Shape3[4]->geometry().contains(toolBar->Image2[4]->geometry()));
    QTest::mouseMove(toolBar->Picture1, QPoint(2, 2));
    QCOMPARE(toolBar->hoverFrame(), -1);
    QTest::mouseMove(toolBar->Image2[1], QPoint(8, 8));
    QCOMPARE(toolBar->hoverFrame(), 1);
}

void TestAnnotateBars::clicksReportTheirButton() {
    QSignalSpy spy(toolBar, &ToolBar::Image2_Click);
    QTest::mouseClick(toolBar->Image2[7], Qt::LeftButton);
    QTest::mouseClick(toolBar->Image2[0], Qt::RightButton);
    QTest::mouseDClick(toolBar->Image2[8], Qt::LeftButton);
    // Pressed on one button, released beside it: no click.
    QTest::mousePress(toolBar->Image2[3], Qt::LeftButton);
    QTest::mouseRelease(toolBar->Image2[3], Qt::LeftButton, {}, QPoint(30, 8));
    QList<int> got;
    for (const auto& args : spy)
        got << args.at(0).toInt();
    QCOMPARE(got, (QList<int>{7, 8, 8}));
}

void TestAnnotateBars::buttonsSitAtTheirPlaces_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("left");
    QTest::addColumn<QString>("tip");
    QTest::newRow("rectangle") << 7 << 7 << QStringLiteral("矩形工具");
    QTest::newRow("ellipse") << 6 << 32 << QStringLiteral("椎圆工具");
    QTest::newRow("arrow") << 4 << 57 << QStringLiteral("箭头工具");
    QTest::newRow("brush") << 9 << 81 << QStringLiteral("画刷工具");
    QTest::newRow("text") << 5 << 106 << QStringLiteral("文字工具");
    QTest::newRow("undo") << 0 << 137 << QStringLiteral("撤销");
    QTest::newRow("redo") << 8 << 162 << QStringLiteral("重做");
    QTest::newRow("save") << 2 << 187 << QStringLiteral("保存");
    QTest::newRow("exit") << 3 << 217 << QStringLiteral("退出截屏");
    QTest::newRow("finish") << 1 << 242 << QStringLiteral("完成截图");
}

void TestAnnotateBars::buttonsSitAtTheirPlaces() {
    QFETCH(int, index);
    QFETCH(int, left);
    QFETCH(QString, tip);
    auto* b = toolBar->Image2[index];
    QCOMPARE(b->geometry(), QRect(left, 5, 16, 16));
    QCOMPARE(b->toolTip(), tip);
    // Every icon has ink in it, and no two icons are alike.
    QVERIFY(b->image().size() == QSize(16, 16));
    bool ink = false;
    for (int y = 0; y < 16 && !ink; ++y)
        for (int x = 0; x < 16 && !ink; ++x)
            ink = qAlpha(b->image().pixel(x, y)) > 0;
    QVERIFY(ink);
    for (int other = 0; other < kToolButtonCount; ++other)
        if (other != index) QVERIFY(toolBar->Image2[other]->image() != b->image());
}

void TestAnnotateBars::colourChosenOnRelease_data() {
    QTest::addColumn<int>("pressOn");
    QTest::addColumn<int>("releaseOn");
    QTest::addColumn<QColor>("current");
    QTest::newRow("white") << 8 << 8 << QColor(255, 255, 255);
    QTest::newRow("teal") << 7 << 7 << QColor(10, 100, 130);
    QTest::newRow("the current cell changes nothing") << 16 << 16 << QColor(255, 0, 0);
    QTest::newRow("released over another cell") << 3 << 5 << QColor(255, 0, 0);
}

void TestAnnotateBars::colourChosenOnRelease() {
    QFETCH(int, pressOn);
    QFETCH(int, releaseOn);
    QFETCH(QColor, current);
    QCOMPARE(optionBar->currentColour(), QColor(255, 0, 0));
    auto* from = optionBar->Pcolor[pressOn];
    auto* to = optionBar->Pcolor[releaseOn];
    QTest::mousePress(from, Qt::LeftButton, {}, QPoint(5, 5));
    const QPoint at = from->mapFromGlobal(to->mapToGlobal(QPoint(5, 5)));
    QTest::mouseRelease(from, Qt::LeftButton, {}, at);
    QCOMPARE(optionBar->currentColour(), current);
    QCOMPARE(optionBar->Pcolor[16]->colour(), current);
    QCOMPARE(told.colour, current);
}

void TestAnnotateBars::penSizeFramedPerTool() {
    auto framed = [&] {
        QList<int> on;
        for (int s = 0; s < 3; ++s)
            if (optionBar->Shape5[s]->isVisibleTo(optionBar->Picture2)) on << s;
        return on;
    };
    optionBar->arrangeFor(ToolKind::Brush);
    QCOMPARE(framed(), QList<int>{2});
    optionBar->arrangeFor(ToolKind::Rectangle);
    QCOMPARE(framed(), QList<int>{0});
    QTest::mouseClick(optionBar->ImgPoint[1], Qt::LeftButton);
    QCOMPARE(told.penIndex[1], std::int16_t(1));
    QCOMPARE(told.penIndex[0], std::int16_t(0));
    QCOMPARE(told.penIndex[2], std::int16_t(2));
    // Hovering another size frames it besides the remembered one.
    QTest::mouseMove(optionBar->ImgPoint[2], QPoint(8, 8));
    QCOMPARE(framed(), (QList<int>{1, 2}));
    QTest::mouseMove(optionBar->Picture2, QPoint(240, 2));
    QCOMPARE(framed(), QList<int>{1});
    optionBar->arrangeFor(ToolKind::Ellipse);
    QCOMPARE(framed(), QList<int>{0});
    // The arrow remembers no size: pressing a dot with it armed changes nothing (the
    // dots are shown again only to press one).
    optionBar->arrangeFor(ToolKind::Arrow);
    optionBar->PicPoint->show();
    QTest::mouseClick(optionBar->ImgPoint[2], Qt::LeftButton);
    QCOMPARE(told.penIndex, (std::array<std::int16_t, kPenSlotCount>{0, 1, 2, 1, 0}));
    QCOMPARE(optionBar->options(), told);
}

void TestAnnotateBars::layoutPerTool_data() {
    QTest::addColumn<ToolKind>("tool");
    QTest::addColumn<bool>("sizes");
    QTest::addColumn<bool>("font");
    QTest::addColumn<int>("gridLeft");
    QTest::addColumn<int>("width");
    QTest::newRow("arrow") << ToolKind::Arrow << false << false << 4 << 166;
    QTest::newRow("text") << ToolKind::Text << false << true << 79 << 241;
    QTest::newRow("brush") << ToolKind::Brush << true << false << 79 << 241;
}

void TestAnnotateBars::layoutPerTool() {
    QFETCH(ToolKind, tool);
    QFETCH(bool, sizes);
    QFETCH(bool, font);
    QFETCH(int, gridLeft);
    QFETCH(int, width);
    // Start from another tool so that each layout is reached by a change.
    optionBar->arrangeFor(tool == ToolKind::Arrow ? ToolKind::Text : ToolKind::Arrow);
    optionBar->arrangeFor(tool);
    QCOMPARE(!optionBar->PicPoint->isHidden(), sizes);
    QCOMPARE(!optionBar->PicFont->isHidden(), font);
    QCOMPARE(optionBar->PicColor->x(), gridLeft);
    QCOMPARE(optionBar->Picture2->width(), width);
    QCOMPARE(optionBar->Shape4->size(), optionBar->Picture2->size());
}

void TestAnnotateBars::sizeListOpensAndClosesFromTheFace() {
    optionBar->arrangeFor(ToolKind::Text);
    auto* face = optionBar->PicCombox;
    // Hover and leaving the face swap its pictures.
    QTest::mouseMove(face, QPoint(42, 11));
    QCOMPARE(face->image(), optionBar->Image4[1]);
    QTest::mouseMove(optionBar->PicFont, QPoint(2, 24));
    QCOMPARE(face->image(), optionBar->Image4[0]);
    QVERIFY(!optionBar->sizeListOpen());
    QTest::mousePress(face, Qt::LeftButton, {}, QPoint(40, 11));
    QTRY_VERIFY(optionBar->sizeListOpen());
    QCOMPARE(face->image(), optionBar->Image4[2]);
    QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(40, 11));
    // The open list holds the pointer: the second press on the face reaches the list,
    // which closes. (The end-to-end test presses with the real pointer.)
    QWidget* list = QApplication::activePopupWidget();
    QVERIFY(list);
    const QPointF local = list->mapFromGlobal(face->mapToGlobal(QPointF(40, 11)));
    QMouseEvent press(QEvent::MouseButtonPress, local, face->mapToGlobal(QPointF(40, 11)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
    QTRY_VERIFY(!optionBar->sizeListOpen());
}

void TestAnnotateBars::chosenSizeGoesIntoTheBox() {
    QCOMPARE(optionBar->Text1->text(), QStringLiteral("11"));
    QCOMPARE(optionBar->Combo1->count(), 9);
    QCOMPARE(optionBar->Combo1->itemText(0), QStringLiteral("6"));
    QCOMPARE(optionBar->Combo1->itemText(8), QStringLiteral("20"));
    QCOMPARE(optionBar->fontSize(), 11.0f);
    const int i18 = optionBar->Combo1->findText(QStringLiteral("18"));
    emit optionBar->Combo1->textActivated(optionBar->Combo1->itemText(i18));
    QCOMPARE(optionBar->Text1->text(), QStringLiteral("18"));
    QCOMPARE(optionBar->fontSize(), 18.0f);
    QCOMPARE(told.fontSize, 18.0f);
    // A mistyped size keeps the last usable one.
    optionBar->Text1->setText(QStringLiteral("big"));
    QCOMPARE(optionBar->fontSize(), 18.0f);
    optionBar->Text1->setText(QStringLiteral("0"));
    QCOMPARE(optionBar->fontSize(), 18.0f);
}

void TestAnnotateBars::optionsGivenAreShownQuietly() {
    optionBar->arrangeFor(ToolKind::Rectangle);
    ToolOptions given;
    given.penIndex = {2, 1, 0, 2, 1};
    given.colour = QColor(0, 128, 0);
    given.fontSize = 14.0f;
    optionBar->setOptions(given);
    QCOMPARE(optionBar->options(), given);
    QCOMPARE(optionBar->Pcolor[16]->colour(), QColor(0, 128, 0));
    QCOMPARE(optionBar->Text1->text(), QStringLiteral("14"));
    QVERIFY(optionBar->Shape5[1]->isVisibleTo(optionBar->Picture2));
    QVERIFY(!optionBar->Shape5[0]->isVisibleTo(optionBar->Picture2));
    // Whoever gave them knows them already.
    QCOMPARE(reports, 0);
}

QTEST_MAIN(TestAnnotateBars)
#include "test_annotate_bars.moc"
