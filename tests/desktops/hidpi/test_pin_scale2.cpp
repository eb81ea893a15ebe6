// Pins at scale 2 (Xft.dpi 192, the main window drawn twice as large): still one
// picture pixel per screen pixel at 100 %, exact 2 x 2 blocks at 200 %.
#include "e2e/support/pinning.h"

#include <QtTest>

class TestPinScale2 : public e2e::PinMonitorsTest {
    Q_OBJECT
public:
    TestPinScale2() : PinMonitorsTest({QRect(0, 0, 3840, 2160)}) {}
};

QTEST_MAIN(TestPinScale2)
#include "test_pin_scale2.moc"
