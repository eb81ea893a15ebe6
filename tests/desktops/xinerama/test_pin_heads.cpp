// Pins on two Xinerama heads of different heights: exactly at the pointer on
// either head, kept on the pointer's head, dragged across exactly.
#include "e2e/support/pinning.h"

#include <QtTest>

class TestPinHeads : public e2e::PinMonitorsTest {
    Q_OBJECT
public:
    TestPinHeads() : PinMonitorsTest({QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)}) {}
};

QTEST_MAIN(TestPinHeads)
#include "test_pin_heads.moc"
