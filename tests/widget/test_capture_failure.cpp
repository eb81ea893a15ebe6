// Capture commands on a screen that cannot be read (a Wayland session whose portal
// is missing, refuses or does not answer), and on a desktop that does not tell the
// active window: the user is told why, the main window is back, and nothing else
// changes; a window capture there takes the whole screen and says so.
#include "app/frmmain.h"
#include "platform/tray.h"
#include "platform/x11windows.h"
#include "support/fakescreen.h"
#include "support/fakewindows.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kReason = QStringLiteral("桌面门户没有及时应答");

// A screen that cannot be read, for the reason a portal would give.
struct UnreadableScreen : kvtest::FakeScreen {
    UnreadableScreen() { failure = kReason; }
};

// A Wayland session: the whole screen, no windows.
struct NoActiveWindow : kvtest::FakeWindows {
    NoActiveWindow() { knowsActive = false; }
};

QMessageBox* shownBox() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

} // namespace

class TestCaptureFailure : public QObject {
    Q_OBJECT

    kv::SystemClock clock;
    NoActiveWindow windows;
    kv::TrayIcon tray;
    std::unique_ptr<QTemporaryDir> programDir;
    std::unique_ptr<kv::FrmMain> w;

    void open(kv::ScreenReader& screen) {
        programDir = std::make_unique<QTemporaryDir>();
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = &screen;
        s.programDir = programDir->path();
        s.windows = &windows;
        s.tray = &tray;
        w = std::make_unique<kv::FrmMain>(s);
        w->Form_Load();
        w->move(100, 100);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    QStringList captures() const {
        return QDir(programDir->filePath("用户图片")).entryList(QDir::Files);
    }

private slots:
    void cleanup() {
        if (QMessageBox* box = shownBox()) box->close();
        w.reset();
        programDir.reset();
    }

    void unreadable_data() {
        QTest::addColumn<int>("command");
        QTest::newRow("区域截图") << int(kv::Command::RegionCapture);
        QTest::newRow("全屏截图") << int(kv::Command::FullScreenCapture);
        QTest::newRow("窗体截图") << int(kv::Command::WindowCapture);
    }
    void unreadable() {
        QFETCH(int, command);
        UnreadableScreen screen;
        open(screen);
        const kv::Picture resting = w->capturePage().PicMain->picture();
        w->capturePage().LblColor_Click(command);
        for (int i = 0; i < 3 && command != kv::Command::RegionCapture; ++i)
            command == kv::Command::FullScreenCapture ? w->capturePage().Timer2_Timer()
                                                      : w->capturePage().Timer3_Timer();
        QTRY_VERIFY(shownBox());
        QVERIFY(shownBox()->text().contains(kReason));
        QVERIFY(w->LblHelp->text().contains(kReason));
        QTRY_VERIFY(w->isVisible());
        QVERIFY(!tray.isShown());
        QTRY_VERIFY(w->capturePage().Snap.isNull());
        QVERIFY(w->capturePage().PicMain->picture().sameAs(resting));
        QVERIFY(captures().isEmpty());
    }

    // No active window to ask for: the whole screen is captured and saved, and the
    // tip line says so, from the click on.
    void windowCaptureTakesTheScreen() {
        kvtest::FakeScreen screen(QSize(1920, 1080));
        open(screen);
        w->capturePage().LblColor_Click(kv::Command::WindowCapture);
        const QString tip = w->LblHelp->text();
        QVERIFY(tip.contains(QStringLiteral("全屏")));
        for (int i = 0; i < 3; ++i)
            w->capturePage().Timer3_Timer();
        QCOMPARE(w->capturePage().PicMain->picture().image(),
                 screen.grab(QRect(0, 0, 1920, 1080)).image);
        QCOMPARE(w->LblHelp->text(), tip);
        QCOMPARE(captures().size(), 1);
        QVERIFY(!shownBox());
    }
};

QTEST_MAIN(TestCaptureFailure)
#include "test_capture_failure.moc"
