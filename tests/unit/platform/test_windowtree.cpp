// Choosing windows by key: the rectangles under a point, and stepping along them.
#include "platform/windowtree.h"

#include <QTest>

using kv::stepThroughWindows;
using kv::TopLevelWindow;
using kv::WindowNode;
using kv::WindowTree;

using Chain = std::vector<QRect>;
Q_DECLARE_METATYPE(Chain)

namespace {

const QRect kDesktop(0, 0, 1920, 1080);

// Topmost first: a framed window with a child holding a grandchild, partly over a
// second framed window; an unframed window (frame and own area alike) off the right
// edge of the desktop.
WindowTree desktopTree() {
    WindowNode grandchild{QRect(130, 160, 50, 40), {}};
    WindowNode child{QRect(110, 140, 300, 200), {grandchild}};
    // A second child that sticks out of its window: only its visible part counts.
    WindowNode wide{QRect(500, 400, 400, 50), {}};
    TopLevelWindow front{QRect(95, 100, 610, 420), {QRect(100, 125, 600, 390), {child, wide}}};
    TopLevelWindow back{QRect(400, 300, 800, 600), {QRect(405, 325, 790, 570), {}}};
    TopLevelWindow menu{QRect(1800, 50, 300, 200), {QRect(1800, 50, 300, 200), {}}};
    return WindowTree({front, back, menu}, kDesktop);
}

} // namespace

class TestWindowTree : public QObject {
    Q_OBJECT
private slots:
    void chainAt_data();
    void chainAt();
    void steps_data();
    void steps();
};

void TestWindowTree::chainAt_data() {
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Chain>("expected");
    const QRect frame(95, 100, 610, 420), client(100, 125, 600, 390);
    QTest::newRow("in the grandchild")
        << QPoint(140, 170)
        << Chain{frame, client, QRect(110, 140, 300, 200), QRect(130, 160, 50, 40)};
    QTest::newRow("in the child only")
        << QPoint(300, 300) << Chain{frame, client, QRect(110, 140, 300, 200)};
    QTest::newRow("on the title bar: frame and own area")
        << QPoint(300, 110) << Chain{frame, client};
    QTest::newRow("child cut to its window")
        << QPoint(690, 420) << Chain{frame, client, QRect(500, 400, 200, 50)};
    QTest::newRow("the window underneath where the front one ends")
        << QPoint(800, 600) << Chain{QRect(400, 300, 800, 600), QRect(405, 325, 790, 570)};
    QTest::newRow("unframed window cut to the desktop, once")
        << QPoint(1900, 100) << Chain{QRect(1800, 50, 120, 200)};
    QTest::newRow("no window") << QPoint(10, 1000) << Chain{};
    QTest::newRow("off the desktop") << QPoint(2000, 100) << Chain{};
}

void TestWindowTree::chainAt() {
    QFETCH(QPoint, point);
    QFETCH(Chain, expected);
    QCOMPARE(desktopTree().chainAt(point), expected);
}

void TestWindowTree::steps_data() {
    QTest::addColumn<QRect>("current");
    QTest::addColumn<bool>("inward");
    QTest::addColumn<QRect>("expected");
    const QRect a(0, 0, 100, 100), b(5, 20, 90, 75), c(10, 30, 20, 20);
    QTest::newRow("no selection, Tab: outermost") << QRect() << true << a;
    QTest::newRow("no selection, Shift+Tab: outermost") << QRect() << false << a;
    QTest::newRow("dragged selection: outermost") << QRect(1, 1, 5, 5) << true << a;
    QTest::newRow("Tab steps in") << a << true << b;
    QTest::newRow("Tab steps in again") << b << true << c;
    QTest::newRow("Tab stays innermost") << c << true << c;
    QTest::newRow("Shift+Tab steps out") << c << false << b;
    QTest::newRow("Shift+Tab stays outermost") << a << false << a;
}

void TestWindowTree::steps() {
    QFETCH(QRect, current);
    QFETCH(bool, inward);
    QFETCH(QRect, expected);
    const Chain chain{QRect(0, 0, 100, 100), QRect(5, 20, 90, 75), QRect(10, 30, 20, 20)};
    QCOMPARE(stepThroughWindows(chain, current, inward), std::optional<QRect>(expected));
    QVERIFY(!stepThroughWindows({}, current, inward));
    QVERIFY(WindowTree().chainAt(QPoint(10, 10)).empty());
}

QTEST_APPLESS_MAIN(TestWindowTree)
#include "test_windowtree.moc"
