// Timed captures of the running program, as a user starts them: the countdown
// is heard on the sound server, and the bitmap saved beside the program equals
// the screen (full screen) or the foreground window with its frame, compared with
// ImageMagick's grab of the screen.
#include "e2e/support/desktop.h"
#include "e2e/support/noisewindow.h"
#include "e2e/test_tone_recording.h"

#include <QColorSpace>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <QtEndian>

namespace {

using e2e::clientGeometry;
using e2e::frameGeometry;
using e2e::NoiseWindow;

// The screen as ImageMagick grabs it, without the colour-space tag its PNG
// carries, so that it compares with a bitmap by pixels alone.
QImage grabScreen() {
    QImage image = e2e::grabScreen();
    image.setColorSpace(QColorSpace());
    return image;
}

// Where two pictures of one size differ (for the failure message).
QString differences(const QImage& a, const QImage& b) {
    QRect box;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (reinterpret_cast<const QRgb*>(a.constScanLine(y))[x] !=
                reinterpret_cast<const QRgb*>(b.constScanLine(y))[x]) {
                if (!count)
                    qInfo() << "first difference" << x << y << Qt::hex
                            << reinterpret_cast<const QRgb*>(a.constScanLine(y))[x]
                            << reinterpret_cast<const QRgb*>(b.constScanLine(y))[x];
                box |= QRect(x, y, 1, 1);
                ++count;
            }
    return QString("%1 pixels differ within (%2,%3 %4x%5)")
        .arg(count)
        .arg(box.x())
        .arg(box.y())
        .arg(box.width())
        .arg(box.height());
}

// The capture commands in the main window's own pixels.
const QPoint kFullScreenCommand(56 + 24, 304 + 6); // "全屏截图"
const QPoint kWindowCommand(56 + 24, 288 + 6);     // "窗体截图"

} // namespace

class TestCaptureE2E : public QObject {
    Q_OBJECT

    QString folder_; // the capture folder beside the program
    QString setAside_;
    QStringList before_;

    QStringList bitmaps() const {
        if (folder_.isEmpty()) return {};
        return QDir(folder_).entryList({"*.bmp"}, QDir::Files, QDir::Name);
    }
    // The capture saved since the test began (waits for it).
    QString newCapture(int timeoutMs) {
        QString found;
        e2e::waitFor(
            [&] {
                for (const QString& f : bitmaps())
                    if (!before_.contains(f)) found = f;
                return !found.isEmpty();
            },
            timeoutMs);
        return found;
    }

private slots:
    void initTestCase() {
        const QString programDir = qEnvironmentVariable("KOLVANE_PROGRAM_DIR");
        QVERIFY2(!programDir.isEmpty() && QDir(programDir).exists(),
                 "KOLVANE_PROGRAM_DIR must name the program folder");
        folder_ = QDir(programDir).absoluteFilePath("用户图片");
        // The first capture must create the folder: put an existing one aside
        // for the duration of the test.
        if (QDir(folder_).exists()) {
            setAside_ = folder_ + ".kept-by-test";
            QVERIFY(QDir().rename(folder_, setAside_));
        }
    }
    void cleanupTestCase() {
        // Only what the tests made: their bitmaps, then the folder if empty.
        if (folder_.isEmpty()) return;
        for (const QString& f : bitmaps())
            QFile::remove(QDir(folder_).filePath(f));
        QDir().rmdir(folder_);
        if (!setAside_.isEmpty()) QDir().rename(setAside_, folder_);
    }
    void init() { before_ = bitmaps(); }

    void fullScreen() {
        e2e::Program program;
        QVERIFY(program.start());
        const QString window = program.mainWindow();
        QVERIFY(!window.isEmpty());
        const QRect mainRect = e2e::windowGeometry(window);
        // Beside the main window, wherever the window manager put that.
        const QRect noiseRect(mainRect.left() > 440 ? 20 : 1480, 20, 400, 300);
        NoiseWindow noise(noiseRect, false);
        noise.show();
        QVERIFY(QTest::qWaitForWindowExposed(&noise));
        QVERIFY(!mainRect.intersects(noiseRect));
        // Off the command first: a pointer already where a click is aimed would
        // leave `xdotool mousemove --sync` waiting for a move that never comes.
        program.moveTo(QPoint(300, 60));
        const QImage beforeCapture = grabScreen();

        tonetest::MonitorRecording recording;
        QVERIFY(recording.start());
        const QDateTime clicked = QDateTime::currentDateTime();
        program.click(kFullScreenCommand);
        const QString name = newCapture(15000);
        QVERIFY2(!name.isEmpty(), "no capture was saved");
        const auto tones = recording.waitForTones(3, {1500, 3000}, 6000);
        const QImage screen = grabScreen();

        // Heard: low, low, high, each about a tenth of a second.
        qInfo() << "heard:" << tonetest::describe(tones);
        QVERIFY2(tonetest::isCountdown(tones), qPrintable(tonetest::describe(tones)));

        // Named by the time of the capture, some seconds after the click.
        QVERIFY2(QRegularExpression("^\\d\\d-\\d\\d-\\d{4}-\\d{6}\\.bmp$").match(name).hasMatch(),
                 qPrintable(name));
        const QDateTime stamp = QDateTime::fromString(name.chopped(4), "MM-dd-yyyy-HHmmss");
        QVERIFY(stamp.isValid());
        QVERIFY2(stamp >= clicked.addSecs(1) && stamp <= clicked.addSecs(30), qPrintable(name));

        // A 24-bit bitmap equal to the screen. The main window itself has changed
        // since (the capture is on show, the clock has moved on); its picture
        // box is compared with the screen before the click, where it had not.
        QFile file(QDir(folder_).filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(54);
        QCOMPARE(qFromLittleEndian<quint16>(header.constData() + 28), quint16(24));
        const QImage capture = QImage(file.fileName(), "bmp").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(capture.size(), screen.size());
        QImage expectedImage = screen;
        const QRect picMain(mainRect.topLeft() + QPoint(144, 152), QSize(401, 257));
        {
            QPainter p(&expectedImage);
            p.drawImage(mainRect, capture.copy(mainRect));
            p.drawImage(picMain, beforeCapture.copy(picMain));
        }
        QVERIFY2(capture == expectedImage, qPrintable(differences(capture, expectedImage)));
        QVERIFY(capture.copy(noiseRect) == noise.image());
    }

    void activeWindow() {
        e2e::Program program;
        QVERIFY(program.start());
        QVERIFY(!program.mainWindow().isEmpty());
        NoiseWindow target(QRect(1300, 500, 320, 200), true);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));

        // The command makes the main window the foreground window; the user then
        // has three seconds to bring the wanted one to the front.
        program.click(kWindowCommand);
        e2e::xdotool({"windowactivate", "--sync", QString::number(target.winId())});
        const QString name = newCapture(15000);
        QVERIFY2(!name.isEmpty(), "no capture was saved");

        QRect frame;
        QVERIFY(e2e::waitFor([&] { return !(frame = frameGeometry(target.winId())).isEmpty(); }));
        const QRect client = clientGeometry(target.winId());
        QVERIFY2(frame.contains(client) && frame != client,
                 qPrintable(QString("frame %1,%2 %3x%4, window %5,%6 %7x%8")
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(client.x())
                                .arg(client.y())
                                .arg(client.width())
                                .arg(client.height())));
        const QImage capture =
            QImage(QDir(folder_).filePath(name), "bmp").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(capture.size(), frame.size());
        const QImage screen = grabScreen().copy(frame);
        QVERIFY2(capture == screen, qPrintable(differences(capture, screen)));
        QVERIFY(capture.copy(QRect(client.topLeft() - frame.topLeft(), client.size())) ==
                target.image());
    }
};

QTEST_MAIN(TestCaptureE2E)
#include "test_capture.moc"
