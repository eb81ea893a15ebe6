// Pins on the default desktop, driven as a user drives them: a PNG put on the
// clipboard by another program is pinned by "kolvane --pin" at the pointer, pixel
// for pixel; it moves with a drag, stays above a window activated over it, zooms to
// exact 2 x 2 blocks, hands its own pixels back with Ctrl+C and closes alone.
#include "e2e/support/desktop.h"
#include "e2e/support/noisewindow.h"
#include "e2e/support/pinning.h"

#include <QTest>

using namespace e2e;

namespace {

const QSize kPicture(211, 137);

// The pin's picture on the screen: from its window's place, one pixel inside.
QPoint pictureTopLeft(const QString& pin) {
    return windowGeometry(pin).topLeft() + QPoint(1, 1);
}

} // namespace

class TestPinE2E : public QObject {
    Q_OBJECT
private slots:
    void init() {
        program_ = std::make_unique<Program>();
        QVERIFY(program_->start());
        QVERIFY(!program_->mainWindow().isEmpty());
        pid_ = program_->process().processId();
    }
    void cleanup() { program_.reset(); }

    // Pinned at the pointer, exactly the picture another program put on the
    // clipboard; above ordinary windows and outside the task bar.
    void pinsTheClipboardAtThePointer() {
        const QImage picture = pinPattern(kPicture);
        QVERIFY(putPngOnClipboard(picture));
        movePointer({100, 120});
        QCOMPARE(runPin(), 0);
        QVERIFY(waitFor([&] { return pinWindows(pid_).size() == 1; }));
        QVERIFY(screenShows(picture, {100, 120}));
        const QString pin = pinWindows(pid_).first();
        QCOMPARE(windowGeometry(pin), QRect(99, 119, kPicture.width() + 2, kPicture.height() + 2));
        const QString states = windowStates(pin);
        QVERIFY2(states.contains("_NET_WM_STATE_ABOVE"), qPrintable(states));
        QVERIFY2(states.contains("_NET_WM_STATE_SKIP_TASKBAR"), qPrintable(states));
    }

    // Near the bottom-right corner: moved just far enough to lie on the screen.
    void staysOnTheMonitor() {
        const QImage picture = pinPattern(kPicture, 1);
        QVERIFY(putPngOnClipboard(picture));
        movePointer({1900, 1070});
        QCOMPARE(runPin(), 0);
        QVERIFY(
            screenShows(picture, QPoint(1920, 1080) - QPoint(kPicture.width(), kPicture.height())));
    }

    void dragMovesItExactly() {
        const QImage picture = pinPattern(kPicture, 2);
        QVERIFY(putPngOnClipboard(picture));
        movePointer({300, 150});
        QCOMPARE(runPin(), 0);
        QVERIFY(screenShows(picture, {300, 150}));
        const QPoint d(137, 59);
        movePointer({350, 200});
        xdotool({"mousedown", "1"});
        for (int step = 1; step <= 4; ++step)
            movePointer(QPoint(350, 200) + d * step / 4);
        xdotool({"mouseup", "1"});
        QVERIFY(screenShows(picture, QPoint(300, 150) + d));
        QCOMPARE(pictureTopLeft(pinWindows(pid_).first()), QPoint(300, 150) + d);
        // Half off the screen's left edge and back: the whole picture again.
        const QPoint grip = QPoint(350, 200) + d;
        const QPoint off(-540, 20);
        movePointer(grip);
        xdotool({"mousedown", "1"});
        movePointer(grip + off);
        QTest::qWait(200);
        movePointer(grip);
        xdotool({"mouseup", "1"});
        QVERIFY(screenShows(picture, QPoint(300, 150) + d));
    }

    // Another window activated over the pin stays below it.
    void staysAboveAnActivatedWindow() {
        const QImage picture = pinPattern(kPicture, 3);
        QVERIFY(putPngOnClipboard(picture));
        movePointer({400, 500});
        QCOMPARE(runPin(), 0);
        QVERIFY(screenShows(picture, {400, 500}));
        NoiseWindow other(QRect(350, 450, 400, 300));
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        xdotool({"windowactivate", "--sync", QString::number(other.winId())});
        QTest::qWait(300);
        QVERIFY(screenShows(picture, {400, 500}, 3000));
    }

    // Three notches up from 100 % around the picture's top-left: 200 %, each
    // picture pixel an exact 2 x 2 block; Ctrl+C still copies the picture itself.
    void zoomsToExactBlocksAndCopiesTheOriginal() {
        const QImage picture = pinPattern(kPicture, 4);
        QVERIFY(putPngOnClipboard(picture));
        const QPoint at(200, 300);
        movePointer(at);
        QCOMPARE(runPin(), 0);
        QVERIFY(screenShows(picture, at));
        xdotool({"click", "1"});
        for (int i = 0; i < 3; ++i) {
            xdotool({"click", "4"});
            QTest::qWait(100);
        }
        QVERIFY(screenShows(enlarged(picture, 2), at));
        QVERIFY(putTextOnClipboard("not a picture"));
        xdotool({"key", "ctrl+c"});
        QVERIFY(waitFor(
            [&] { return clipboardImage().convertToFormat(QImage::Format_RGB32) == picture; }));
        // Key 1: back to the picture's own size, its pixel under the pointer kept.
        xdotool({"key", "1"});
        QVERIFY(screenShows(picture, at));
    }

    // Text on the clipboard: the command says so and fails; nothing else happens.
    void refusesTextOnTheClipboard() {
        const QImage picture = pinPattern(kPicture, 5);
        QVERIFY(putPngOnClipboard(picture));
        movePointer({100, 600});
        QCOMPARE(runPin(), 0);
        QVERIFY(screenShows(picture, {100, 600}));
        QVERIFY(putTextOnClipboard("#1E90FF"));
        movePointer({900, 100});
        const CommandResult r = run(binary(), {"--pin"}, 20000);
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY2(r.err.contains("no picture"), r.err.constData());
        QTest::qWait(500);
        QCOMPARE(pinWindows(pid_).size(), 1);
        QCOMPARE(clipboardText(), QStringLiteral("#1E90FF"));
        QVERIFY(screenShows(picture, {100, 600}, 1000));
        // With no Kolvane running, the command does not start one just to refuse.
        program_->stop();
        const CommandResult fresh = run(binary(), {"--pin"}, 20000);
        QCOMPARE(fresh.exitCode, 1);
        QVERIFY2(fresh.err.contains("no picture"), fresh.err.constData());
        QCOMPARE(clipboardText(), QStringLiteral("#1E90FF"));
    }

    // Esc on one pin closes that pin only.
    void closingOneLeavesTheOthers() {
        const QImage first = pinPattern(kPicture, 6), second = pinPattern(kPicture, 7);
        QVERIFY(putPngOnClipboard(first));
        movePointer({100, 100});
        QCOMPARE(runPin(), 0);
        QVERIFY(putPngOnClipboard(second));
        movePointer({100, 500});
        QCOMPARE(runPin(), 0);
        QVERIFY(screenShows(first, {100, 100}));
        QVERIFY(screenShows(second, {100, 500}));
        QCOMPARE(pinWindows(pid_).size(), 2);
        movePointer({150, 150});
        xdotool({"click", "1"});
        QTest::qWait(200);
        xdotool({"key", "Escape"});
        QVERIFY(waitFor([&] { return pinWindows(pid_).size() == 1; }));
        QVERIFY(screenShows(second, {100, 500}));
        QVERIFY(differencesOnScreen(grabScreen(), first, {100, 100}) > 0);
    }

private:
    std::unique_ptr<Program> program_;
    qint64 pid_ = 0;
};

QTEST_MAIN(TestPinE2E)
#include "test_pin.moc"
