// The main window's capture commands with the real screen, window manager and
// tray, a fixed clock and a recording tone player; timer ticks are called
// directly rather than waited for.
#include "app/frmmain.h"
#include "platform/screenreaderfactory.h"
#include "platform/tone.h"
#include "platform/tray.h"
#include "platform/x11windows.h"
#include "support/fakeclock.h"
#include "support/noisewindow.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImageWriter>
#include <QMessageBox>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

class RecordingTones final : public kv::TonePlayer {
public:
    void Beep(int frequency, int duration) override {
        heard << QString("%1/%2").arg(frequency).arg(duration);
    }
    QStringList heard;
};

const QString kFileName = "12-31-2026-235958.bmp";

} // namespace

class TestCapture : public QObject {
    Q_OBJECT

    kvtest::FixedClock clock{QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58))};
    RecordingTones tones;
    std::unique_ptr<kv::ScreenReader> screen = kv::createScreenReader();
    std::unique_ptr<kv::DesktopWindows> windows = kv::createX11DesktopWindows();
    kv::TrayIcon tray;
    std::unique_ptr<QTemporaryDir> programDir;
    std::unique_ptr<kv::FrmMain> w;

    void runCountdown(void (kv::CapturePage::*tick)()) {
        for (int i = 0; i < 3; ++i)
            (w->capturePage().*tick)();
    }
    void runCountdownOn(kv::FrmMain& main) {
        for (int i = 0; i < 3; ++i)
            main.capturePage().Timer2_Timer();
    }
    QString capturePath() const { return programDir->filePath("用户图片/" + kFileName); }

private slots:
    void init() {
        programDir = std::make_unique<QTemporaryDir>();
        tones.heard.clear();
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = programDir->path();
        s.windows = windows.get();
        s.tones = &tones;
        s.tray = &tray;
        w = std::make_unique<kv::FrmMain>(s);
        w->Form_Load();
        w->move(100, 100);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }
    void cleanup() {
        w.reset();
        programDir.reset();
    }

    // From the colour page: the command shows the capture page and starts its
    // own timer; three ticks beep low, low, high, then the screen is shown and
    // saved, pixel for pixel, in a folder that did not exist.
    void fullScreenCountdown() {
        w->ShowColourPage();
        w->capturePage().LblColor_Click(kv::Command::FullScreenCapture);
        QVERIFY(w->capturePage().PicMain->isVisible());
        QVERIFY(w->capturePage().Timer2.isActive());
        QVERIFY(!w->capturePage().Timer3.isActive());
        QCOMPARE(w->capturePage().Timer2.interval(), 1000);
        QVERIFY(!QDir(programDir->filePath("用户图片")).exists());

        runCountdown(&kv::CapturePage::Timer2_Timer);
        QCOMPARE(tones.heard, QStringList({"1500/100", "1500/100", "3000/100"}));
        QVERIFY(!w->capturePage().Timer2.isActive());
        QCOMPARE(w->capturePage().captureCountdown(), qint16(0));

        const QImage shown = w->capturePage().PicMain->picture().image();
        QCOMPARE(shown.size(), QSize(1920, 1080));
        QVERIFY(shown == screen->grab(QRect(0, 0, 1920, 1080)).image);
        const QImage saved = QImage(capturePath(), "bmp").convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!saved.isNull(), qPrintable(capturePath()));
        QVERIFY(saved == shown);
    }

    // The foreground window at the third tick, with its frame: the window's own
    // pixels sit inside the frame where the window manager put them.
    void activeWindowCountdown() {
        kvtest::NoiseWindow other(QRect(1400, 600, 320, 200));
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_COMPARE(windows->activeWindow(), other.winId());
        const QRect frame = windows->windowRect(other.winId(), false);
        const QRect client = windows->windowRect(other.winId(), true);
        QVERIFY(frame.contains(client) && frame != client);
        QTRY_VERIFY(screen->grab(client).image == other.image());

        w->capturePage().LblColor_Click(kv::Command::WindowCapture);
        QVERIFY(w->capturePage().Timer3.isActive());
        runCountdown(&kv::CapturePage::Timer3_Timer);
        QVERIFY(!w->capturePage().Timer3.isActive());

        const QImage shown = w->capturePage().PicMain->picture().image();
        QCOMPARE(shown.size(), frame.size());
        QVERIFY(shown.copy(QRect(client.topLeft() - frame.topLeft(), client.size())) ==
                other.image());
        QVERIFY(QImage(capturePath(), "bmp").convertToFormat(QImage::Format_RGB32) == shown);
    }

    // The bitmap cannot be written: a box names the file and the reason, the
    // capture stays on the capture page and is not lost: it waits on the
    // clipboard as a picture, and the box says so.
    void failedSaveIsReported() {
        QApplication::clipboard()->setText("something older");
        QFile blocker(programDir->filePath("用户图片"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w->capturePage().LblColor_Click(kv::Command::FullScreenCapture);
        runCountdown(&kv::CapturePage::Timer2_Timer);
        QCOMPARE(w->capturePage().PicMain->picture().size(), QSize(1920, 1080));
        QMessageBox* box = nullptr;
        QTRY_VERIFY((box = w->findChild<QMessageBox*>()) && box->isVisible());
        QVERIFY2(box->text().contains(QDir::toNativeSeparators(capturePath())),
                 qPrintable(box->text()));
        QVERIFY(box->text().contains(QStringLiteral("已有同名的文件")));
        QVERIFY(box->text().contains(QStringLiteral("剪贴板")));
        QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 w->capturePage().PicMain->picture().image());
        box->close();
        QVERIFY(w->isVisible());
        QApplication::clipboard()->clear();
    }

    // Where the captures go is chosen at start-up (the user's pictures folder for
    // an installed program): the bitmap lands there, in a folder made for it.
    void savesInTheChosenFolder() {
        const QString folder = programDir->filePath("home/Pictures/用户图片");
        kv::FrmMainServices s;
        s.clock = &clock;
        s.screen = screen.get();
        s.programDir = programDir->path();
        s.captureFolder = folder;
        s.tones = &tones;
        kv::FrmMain other(s);
        other.Form_Load();
        other.capturePage().LblColor_Click(kv::Command::FullScreenCapture);
        runCountdownOn(other);
        const QImage saved = QImage(folder + "/" + kFileName, "bmp");
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32),
                 other.capturePage().PicMain->picture().image());
        QVERIFY(!QFileInfo::exists(capturePath()));
        QVERIFY(!other.findChild<QMessageBox*>());
    }

    // Clicking the capture page or a command again shows the resting picture.
    void captureReplacedByRestingPicture() {
        w->capturePage().PicMain->setPicture(w->capturePage().CaptureScreen());
        QVERIFY(
            !w->capturePage().PicMain->picture().sameAs(w->ImgTmp[kv::StoredPicture::CaptureRest]));
        w->capturePage().LblColor_Click(kv::Command::FullScreenCapture);
        QVERIFY(
            w->capturePage().PicMain->picture().sameAs(w->ImgTmp[kv::StoredPicture::CaptureRest]));
        w->capturePage().Timer2.stop();
    }

    void emptyCaptures() {
        QVERIFY(
            w->capturePage().CaptureWindow(windows->desktopWindow(), false, 0, 0, 0, 10).isNull());
        QVERIFY(w->capturePage()
                    .CaptureWindow(0x7ffffff0, false, 0, 0, 10, 10)
                    .isNull()); // no such window
        QVERIFY(kv::CapturePage::CreateBitmapPicture(QImage()).isNull());
        const kv::Picture part = w->capturePage().CaptureWindow(w->winId(), true, 5, 6, 40, 30);
        QCOMPARE(part.size(), QSize(40, 30));
    }

    // The tray icon comes from app.ico in the program folder at each add; there
    // is one at most; without the file there is still an entry.
    void trayIcon() {
        const QString icon = programDir->filePath("app.ico");
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(QColor(10, 120, 240));
        QVERIFY(QImageWriter(icon, "ico").write(picture));
        w->capturePage().AddTrayIcon(icon, "Kolvane");
        QVERIFY(tray.isShown());
        QCOMPARE(tray.tip(), QString("Kolvane"));
        QCOMPARE(QColor(tray.icon().pixmap(16, 16).toImage().pixel(3, 3)), QColor(10, 120, 240));
        w->capturePage().RemoveTrayIcon();
        QVERIFY(!tray.isShown());
        QFile::remove(icon);
        w->capturePage().AddTrayIcon(icon, "Kolvane");
        QVERIFY(tray.isShown());
        w->capturePage().RemoveTrayIcon();
        QVERIFY(!tray.isShown());
    }
};

QTEST_MAIN(TestCapture)
#include "test_capture.moc"
