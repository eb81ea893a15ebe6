// The region editor's logic without its window: the session is driven with presses,
// moves, releases, buttons and keys, and answers with what the window must show.
#include "snapshot/editorsession.h"
#include "snapshot/sessionkeys.h"
#include "snapshot/toolbar_layout.h"
#include "support/editorfakes.h"

#include <QApplication>
#include <QTest>

using namespace kv;
using kvtest::FakeEditorEffects;

namespace {

QImage gradient(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    return img;
}

} // namespace

class TestEditorSession : public QObject {
    Q_OBJECT
    FakeEditorEffects fx;
    std::unique_ptr<EditorSession> s;

    void drag(QPointF from, QPointF to, int button = kLeftButton) {
        s->press(button, float(from.x()), float(from.y()));
        s->move(button, float((from.x() + to.x()) / 2), float((from.y() + to.y()) / 2));
        s->move(button, float(to.x()), float(to.y()));
        s->release(button, float(to.x()), float(to.y()));
    }
    void click(int button, QPointF at) {
        s->press(button, float(at.x()), float(at.y()));
        s->release(button, float(at.x()), float(at.y()));
    }

private slots:
    void init() {
        fx.calls.clear();
        s = std::make_unique<EditorSession>(fx, QApplication::font());
        s->load(gradient(QSize(1920, 1080)), Monitors::single(QRect(0, 0, 1920, 1080)));
    }

    void opensSelectingWithNothingShown() {
        const EditorView& v = s->view();
        QCOMPARE(s->statusText(), QStringLiteral("draw"));
        QCOMPARE(s->history().count(), 1);
        QVERIFY(!v.outlineShown && !v.handlesShown && !v.readOutsShown);
        QVERIFY(!v.toolBarShown && !v.optionBarShown && !v.textBox.open);
        QCOMPARE(v.toolBarPos.y(), -kToolBarHeight);
        QCOMPARE(v.pointer, std::optional<Qt::CursorShape>(Qt::CrossCursor));
    }

    // A drag selects, shows the outline, handles, read-outs and the tool bar below the
    // selection's right edge.
    void dragSelects() {
        drag({100, 100}, {420, 300});
        const EditorView& v = s->view();
        QCOMPARE(s->statusText(), QStringLiteral("move"));
        QCOMPARE(v.selection, (SelBox{100, 100, 320, 200}));
        QVERIFY(v.outlineShown && v.handlesShown && v.readOutsShown && v.toolBarShown);
        QCOMPARE(v.sizeText, QStringLiteral("区域大小:320*200"));
        QCOMPARE(v.toolBarPos, QPoint(420 - kToolBarWidth, 304));
        QVERIFY(!v.loupeAt); // the loupe only while dragging
        QVERIFY(fx.calls.isEmpty());
    }

    // Presses that close the editor on their release, and those that do not.
    void closingReleases_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("closes");
        QTest::newRow("right click, no selection") << "R" << true;
        QTest::newRow("middle click first") << "M" << true;
        QTest::newRow("right inside clears, stays") << "S R" << false;
        QTest::newRow("second right click closes") << "S R R" << true;
        QTest::newRow("middle outside clears, stays") << "S m" << false;
        QTest::newRow("left click never closes") << "L" << false;
    }
    void closingReleases() {
        QFETCH(QString, script);
        QFETCH(bool, closes);
        for (const QString& step : script.split(' ')) {
            if (step == "S") drag({200, 200}, {400, 400});
            if (step == "R") click(kRightButton, {300, 300});
            if (step == "M") click(kMiddleButton, {300, 300});
            if (step == "m") click(kMiddleButton, {10, 10});
            if (step == "L") click(kLeftButton, {10, 10});
        }
        QCOMPARE(fx.calls.contains("close"), closes);
    }

    void pressOutsideClearsTheSelection() {
        drag({200, 200}, {400, 400});
        s->press(kLeftButton, 50, 50);
        QCOMPARE(s->stage(), SelectionStage::Selecting);
        QVERIFY(s->justCleared());
        QVERIFY(!s->view().outlineShown && !s->view().handlesShown && !s->view().toolBarShown);
        QVERIFY(!s->view().pointer); // the window's own pointer again
    }

    // A tool's button arms it and opens its options; the same button again closes them.
    void armingATool() {
        drag({100, 100}, {500, 400});
        s->clickButton(kRectangleButton);
        QVERIFY(s->toolMode());
        QCOMPARE(s->strokes().toolKind(), ToolKind::Rectangle);
        QVERIFY(s->view().optionBarShown);
        QCOMPARE(s->view().optionBarTool, ToolKind::Rectangle);
        QCOMPARE(s->view().optionBarPos, QPoint(500 - kToolBarWidth, 404 + kToolBarHeight + 3));
        s->clickButton(kRectangleButton);
        QVERIFY(!s->view().optionBarShown);
    }

    // A stroke commits one history step; undo past it leaves drawing, back to selecting.
    void strokeUndoAndBack() {
        drag({100, 100}, {500, 400});
        s->clickButton(kRectangleButton);
        const QImage before = s->surface().committed();
        drag({150, 150}, {250, 250});
        QCOMPARE(s->history().count(), 2);
        QVERIFY(s->surface().committed() != before);
        s->clickButton(kUndoButton);
        QCOMPARE(s->surface().committed(), before);
        QVERIFY(s->toolMode());
        s->clickButton(kUndoButton);
        QCOMPARE(s->stage(), SelectionStage::Selecting);
        QVERIFY(!s->toolMode() && !s->view().toolBarShown && !s->view().outlineShown);
        QCOMPARE(s->selection().width, 0.f);
    }

    void keys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("select");
        QTest::addColumn<QString>("call");
        QTest::addColumn<SelBox>("selection");
        const SelBox sel{100, 100, 200, 100};
        QTest::newRow("arrow moves the pointer without a selection")
            << int(Qt::Key_Left) << 0 << false << "warp 499,300" << SelBox{};
        QTest::newRow("arrow moves a selection")
            << int(Qt::Key_Right) << 0 << true << "" << SelBox{101, 100, 200, 100};
        QTest::newRow("shift+arrow by ten") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << true
                                            << "" << SelBox{100, 110, 200, 100};
        QTest::newRow("ctrl+arrow resizes") << int(Qt::Key_Right) << int(Qt::ControlModifier)
                                            << true << "" << SelBox{100, 100, 201, 100};
        QTest::newRow("enter finishes") << int(Qt::Key_Return) << 0 << true << "finish" << sel;
        QTest::newRow("enter without a tool bar")
            << int(Qt::Key_Return) << 0 << false << "" << SelBox{};
        QTest::newRow("escape leaves") << int(Qt::Key_Escape) << 0 << false << "close" << SelBox{};
        QTest::newRow("c copies the pixel")
            << int(Qt::Key_C) << 0 << false << "copy #F42C4D" << SelBox{};
        QTest::newRow("shift+c copies RGB") << int(Qt::Key_C) << int(Qt::ShiftModifier) << false
                                            << "copy RGB(244,44,77)" << SelBox{};
    }
    void keys() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, select);
        QFETCH(QString, call);
        QFETCH(SelBox, selection);
        if (select) drag({100, 100}, {300, 200});
        fx.calls.clear();
        const KeyContext at{false, QPoint(500, 300), QPoint(500, 300)};
        QVERIFY(EditorSessionKey(*s, key, Qt::KeyboardModifiers(modifiers), at));
        QCOMPARE(fx.calls.join(','), call);
        if (select) QCOMPARE(s->selection(), selection);
    }

    void copyWithoutSelectionShowsANotice() {
        kv::CopyPixelNotation(*s, false, QPoint(20, 30));
        QCOMPARE(s->view().colourText, QStringLiteral("已复制:#141E4D"));
        QCOMPARE(s->view().noticeAt, std::optional<QPoint>(QPoint(36, 46)));
        s->move(0, 40, 40);
        QVERIFY(!s->view().noticeAt);
        QCOMPARE(s->view().colourText, QStringLiteral("当前RGB:(40,40,77)"));
    }

    void textBoxGrowsAndDraws() {
        drag({100, 100}, {600, 400});
        s->clickButton(kTextButton);
        click(kLeftButton, {150, 150});
        QVERIFY(s->view().textBox.open);
        QCOMPARE(s->view().textBox.pos, QPoint(150, 150));
        QCOMPARE(s->view().textBox.width, 25);
        s->textChanged(QStringLiteral("一段相当长的文字，比框宽"));
        QVERIFY(s->view().textBox.width > 25);
        const QImage before = s->surface().committed();
        // Another tool draws the typed text first.
        s->clickButton(kArrowButton);
        QVERIFY(!s->view().textBox.open);
        QCOMPARE(s->history().count(), 2);
        QVERIFY(s->surface().committed() != before);
    }
};

QTEST_MAIN(TestEditorSession)
#include "test_editorsession.moc"
