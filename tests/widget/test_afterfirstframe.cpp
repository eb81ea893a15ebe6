// Work put off until a window's first frame runs after that frame, once.
#include "app/afterfirstframe.h"

#include <QPainter>
#include <QtTest>

namespace {

// Counts its paints, so the test can tell when the work ran against them.
class CountingWidget : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        ++paints;
        QPainter(this).fillRect(rect(), Qt::white);
    }
};

} // namespace

class TestAfterFirstFrame : public QObject {
    Q_OBJECT
private slots:
    void runsOnceAfterTheFirstPaint() {
        CountingWidget window;
        window.resize(200, 100);
        int ran = 0, paintsBefore = -1;
        new kv::AfterFirstFrame(&window, [&] {
            ++ran;
            paintsBefore = window.paints;
        });
        // A zero timer would have run by now; this work waits for a frame.
        QTest::qWait(50);
        QCOMPARE(ran, 0);

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(ran, 1);
        QVERIFY(paintsBefore >= 1);

        window.repaint();
        QTest::qWait(50);
        QCOMPARE(ran, 1);
    }
};

QTEST_MAIN(TestAfterFirstFrame)
#include "test_afterfirstframe.moc"
