// The windows on the screen read for choosing one by key: another program's window,
// its frame as the window manager drew it, its own area and its child windows.
#include "e2e/support/desktop.h"
#include "e2e/support/longpage.h"
#include "e2e/support/noisewindow.h"
#include "platform/windowtree.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

class TestWindowTree : public QObject {
    Q_OBJECT
private slots:
    void windowUnderThePoint_data();
    void windowUnderThePoint();
    void ownWindowsAreLeftOut();
};

void TestWindowTree::windowUnderThePoint_data() {
    QTest::addColumn<QPoint>("at");
    QTest::newRow("inside the desktop") << QPoint(200, 150);
    QTest::newRow("past the right edge") << QPoint(1600, 150);
}

// The chain under a point of the page's view: the frame as xprop and xwininfo give it,
// the window's own area, and innermost the view (a window of its own there).
void TestWindowTree::windowUnderThePoint() {
    QFETCH(QPoint, at);
    e2e::LongPage page;
    QVERIFY(page.start({"--rows", "800", "--view", "300", "--header", "30", "--native", "--at",
                        QString("%1,%2").arg(at.x()).arg(at.y())}));
    const QRect desktop(QPoint(0, 0), QGuiApplication::primaryScreen()->size());
    auto windows = kv::createX11DesktopWindows();
    QVERIFY(windows);
    const kv::WindowTree tree = windows->windowTree(desktop);

    const QRect selection = page.selection();
    const QRect view(selection.x(), selection.y() + 30, selection.width(), 300);
    const std::vector<QRect> chain = tree.chainAt(view.topLeft() + QPoint(5, 5));
    QVERIFY2(chain.size() >= 3, qPrintable(QString::number(chain.size())));
    QCOMPARE(chain[0], e2e::frameGeometry(page.window()) & desktop);
    QCOMPARE(chain[1], e2e::clientGeometry(page.window()) & desktop);
    QCOMPARE(chain.back(), view & desktop);

    // The title bar: the window, then its own area.
    const std::vector<QRect> onTitle = tree.chainAt(chain[0].topLeft() + QPoint(20, 3));
    QCOMPARE(onTitle, (std::vector<QRect>{chain[0], chain[1]}));
}

// A window of this program is not offered: the editor's own windows are not there to
// be selected.
void TestWindowTree::ownWindowsAreLeftOut() {
    e2e::NoiseWindow own(QRect(300, 300, 200, 150));
    own.show();
    QVERIFY(QTest::qWaitForWindowExposed(&own));
    const QRect client = e2e::clientGeometry(own.winId());
    QVERIFY(e2e::waitFor([&] { return e2e::frameGeometry(own.winId()).isValid(); }));
    auto windows = kv::createX11DesktopWindows();
    const std::vector<QRect> chain =
        windows->windowTree(QRect(0, 0, 1920, 1080)).chainAt(client.center());
    QVERIFY(std::find(chain.begin(), chain.end(), client) == chain.end());
    QVERIFY(std::find(chain.begin(), chain.end(), e2e::frameGeometry(own.winId())) == chain.end());
}

QTEST_MAIN(TestWindowTree)
#include "test_windowtree.moc"
