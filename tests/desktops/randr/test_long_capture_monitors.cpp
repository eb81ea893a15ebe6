// Long captures and window chains on either RandR monitor of one screen and across
// the seam: a 1280x1024 monitor at 0,0 and the 1920x1080 primary at 1280,0.
#include "support/longcapturecheck.h"

class TestLongCaptureMonitors : public QObject {
    Q_OBJECT
    static void places() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("left monitor") << QPoint(100, 100);
        QTest::newRow("across the seam") << QPoint(1000, 60);
    }

private slots:
    void longCapture_data() { places(); }
    void longCapture() {
        QFETCH(QPoint, at);
        checkLongCaptureAt(at);
    }
    void windowChain_data() { places(); }
    void windowChain() {
        QFETCH(QPoint, at);
        checkWindowChainAt(at, QRect(0, 0, 3200, 1080));
    }
};

QTEST_MAIN(TestLongCaptureMonitors)
#include "test_long_capture_monitors.moc"
