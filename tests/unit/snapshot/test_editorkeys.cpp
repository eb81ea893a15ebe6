// Which key does what in the region editor.
#include "snapshot/editorkeys.h"

#include <QtTest>

using namespace kv;
using A = EditorKeyAction;

Q_DECLARE_METATYPE(kv::EditorKeyAction)

class TestEditorKeys : public QObject {
    Q_OBJECT
private slots:
    void keys_data();
    void keys();
};

void TestEditorKeys::keys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<A>("action");
    QTest::addColumn<QPoint>("step");
    const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
    const int pad = Qt::KeypadModifier, alt = Qt::AltModifier;

    QTest::newRow("left") << int(Qt::Key_Left) << none << A::Nudge << QPoint(-1, 0);
    QTest::newRow("right") << int(Qt::Key_Right) << none << A::Nudge << QPoint(1, 0);
    QTest::newRow("up") << int(Qt::Key_Up) << none << A::Nudge << QPoint(0, -1);
    QTest::newRow("down") << int(Qt::Key_Down) << none << A::Nudge << QPoint(0, 1);
    QTest::newRow("shift+left") << int(Qt::Key_Left) << shift << A::Nudge << QPoint(-10, 0);
    QTest::newRow("shift+down") << int(Qt::Key_Down) << shift << A::Nudge << QPoint(0, 10);
    QTest::newRow("number-pad up") << int(Qt::Key_Up) << pad << A::Nudge << QPoint(0, -1);
    QTest::newRow("ctrl+right") << int(Qt::Key_Right) << ctrl << A::ResizeBottomRight
                                << QPoint(1, 0);
    QTest::newRow("ctrl+up") << int(Qt::Key_Up) << ctrl << A::ResizeBottomRight << QPoint(0, -1);
    QTest::newRow("ctrl+shift+left")
        << int(Qt::Key_Left) << (ctrl | shift) << A::ResizeBottomRight << QPoint(-10, 0);
    QTest::newRow("alt+left does nothing") << int(Qt::Key_Left) << alt << A::None << QPoint();

    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << A::Undo << QPoint();
    QTest::newRow("ctrl+y") << int(Qt::Key_Y) << ctrl << A::Redo << QPoint();
    QTest::newRow("plain z does nothing") << int(Qt::Key_Z) << none << A::None << QPoint();
    QTest::newRow("ctrl+shift+z does nothing")
        << int(Qt::Key_Z) << (ctrl | shift) << A::None << QPoint();
    QTest::newRow("return") << int(Qt::Key_Return) << none << A::Finish << QPoint();
    QTest::newRow("number-pad enter") << int(Qt::Key_Enter) << pad << A::Finish << QPoint();
    QTest::newRow("c") << int(Qt::Key_C) << none << A::CopyHtml << QPoint();
    QTest::newRow("shift+c") << int(Qt::Key_C) << shift << A::CopyRgb << QPoint();
    QTest::newRow("ctrl+c is not ours") << int(Qt::Key_C) << ctrl << A::None << QPoint();
    QTest::newRow("esc") << int(Qt::Key_Escape) << none << A::Close << QPoint();
    QTest::newRow("shift+esc") << int(Qt::Key_Escape) << shift << A::Close << QPoint();
    QTest::newRow("a letter") << int(Qt::Key_A) << none << A::None << QPoint();
}

void TestEditorKeys::keys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(A, action);
    QFETCH(QPoint, step);
    const EditorKey k = EditorKeyFor(key, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(k.action, action);
    QCOMPARE(k.step, step);
}

QTEST_APPLESS_MAIN(TestEditorKeys)
#include "test_editorkeys.moc"
