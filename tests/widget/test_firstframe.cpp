// Work around a window's first frame: what the frame needs runs once between show
// and the first paint, what can wait runs once after that paint.
#include "app/afterfirstframe.h"
#include "app/beforefirstframe.h"

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

class TestFirstFrame : public QObject {
    Q_OBJECT
private slots:
    void afterRunsOnceAfterTheFirstPaint() {
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

    void beforeRunsOnceBetweenShowAndTheFirstPaint_data() {
        QTest::addColumn<QString>("when");
        QTest::newRow("from the event loop") << QStringLiteral("loop");
        QTest::newRow("asked for before show") << QStringLiteral("early");
        // A window manager quicker than the event loop: the expose comes first.
        QTest::newRow("exposed at once") << QStringLiteral("expose");
    }
    void beforeRunsOnceBetweenShowAndTheFirstPaint() {
        QFETCH(QString, when);
        CountingWidget window;
        window.resize(200, 100);
        auto* child = new QWidget(&window);
        child->setGeometry(0, 0, 10, 10);
        int ran = 0, paintsBefore = -1;
        auto* before = new kv::BeforeFirstFrame(&window, [&] {
            ++ran;
            paintsBefore = window.paints;
            child->setGeometry(0, 0, 50, 50); // as the main window fits its labels
        });
        // Nothing is shown yet, so nothing needs it.
        QTest::qWait(50);
        QCOMPARE(ran, 0);
        if (when == QLatin1String("early")) {
            before->run();
            QCOMPARE(ran, 1);
        }

        window.show();
        if (when == QLatin1String("expose")) {
            QExposeEvent expose(QRegion(0, 0, 200, 100));
            QCoreApplication::sendEvent(window.windowHandle(), &expose);
            QCOMPARE(ran, 1);
        }
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.paints >= 1);
        QCOMPARE(ran, 1);
        QCOMPARE(paintsBefore, 0);
        QCOMPARE(child->size(), QSize(50, 50));

        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(50);
        QCOMPARE(ran, 1);
    }
};

QTEST_MAIN(TestFirstFrame)
#include "test_firstframe.moc"
