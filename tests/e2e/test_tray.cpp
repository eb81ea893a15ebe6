// The running program's tray icon: docked in the tray host while a region
// capture is open, gone when it is left, once per capture.
#include "e2e/support/desktop.h"
#include "e2e/test_tray_host.h"

#include <QTest>

namespace {
const QPoint kRegionCommand(56 + 24, 272 + 6); // "区域截图"
const QString kProgram = "kolvane";
} // namespace

class TestTrayE2E : public QObject {
    Q_OBJECT
private slots:
    void dockedDuringRegionCapture() {
        QCOMPARE(trayhost::dockedIcons(kProgram), 0);
        e2e::Program program;
        QVERIFY(program.start());
        QVERIFY(!program.mainWindow().isEmpty());
        QCOMPARE(trayhost::dockedIcons(kProgram), 0);
        for (int round = 0; round < 2; ++round) {
            program.moveTo(QPoint(300, 60));
            program.click(kRegionCommand);
            QVERIFY2(trayhost::waitForDocked(kProgram, 1),
                     qPrintable(QString("round %1: %2 icons docked")
                                    .arg(round)
                                    .arg(trayhost::dockedIcons(kProgram))));
            // Leaving the editor without a picture takes the icon away again.
            QTest::qWait(300);
            e2e::xdotool({"key", "Escape"});
            QVERIFY2(trayhost::waitForDocked(kProgram, 0),
                     qPrintable(QString("round %1: %2 icons left")
                                    .arg(round)
                                    .arg(trayhost::dockedIcons(kProgram))));
            // The main window is back.
            const QString pid = QString::number(program.process().processId());
            QVERIFY(e2e::waitFor([&] {
                return !e2e::xdotool(
                            {"search", "--onlyvisible", "--pid", pid, "--name", "^Kolvane$"})
                            .isEmpty();
            }));
        }
    }
};

QTEST_MAIN(TestTrayE2E)
#include "test_tray.moc"
