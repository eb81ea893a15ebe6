// Pins on two RandR monitors of one screen, the primary on the right: exactly at
// the pointer on either monitor, kept on the pointer's monitor, dragged across.
#include "e2e/support/pinning.h"

#include <QtTest>

class TestPinMonitors : public e2e::PinMonitorsTest {
    Q_OBJECT
public:
    TestPinMonitors() : PinMonitorsTest({QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)}) {}
};

QTEST_MAIN(TestPinMonitors)
#include "test_pin_monitors.moc"
