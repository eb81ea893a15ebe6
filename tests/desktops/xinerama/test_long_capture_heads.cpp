// Long captures and window chains on either Xinerama head and across the seam: a
// 1920x1080 primary at 0,0 and a 1280x1024 head at 1920,0.
#include "support/longcapturecheck.h"

class TestLongCaptureHeads : public QObject {
    Q_OBJECT
    static void places() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("second head") << QPoint(2100, 100);
        QTest::newRow("across the seam") << QPoint(1600, 60);
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

QTEST_MAIN(TestLongCaptureHeads)
#include "test_long_capture_heads.moc"
