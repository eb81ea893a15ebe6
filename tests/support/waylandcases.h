#pragma once

// End-to-end cases for desktops that tell no program where windows are (GNOME,
// KWin): the built program's windows are found in the compositor's own pictures,
// where the screen differs from the screen before the program started. Each
// desktop's test file runs these cases as its test functions.
#include "support/capturefiles.h"
#include "support/waylanddesktop.h"

#include <QPainter>
#include <QWidget>
#include <cstdio>

namespace wld {

// The built program as a Wayland client, its main window found on the screen.
class ScreenProgram {
public:
    explicit ScreenProgram(QProcessEnvironment env = QProcessEnvironment::systemEnvironment()) {
        // The program says on standard error when an editor's first frame is out: its
        // frozen picture looks just like the desktop it froze, so the screen cannot.
        env.insert("KOLVANE_TIMING", "1");
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        QObject::connect(&process_, &QProcess::readyReadStandardError, [this] {
            const QByteArray said = process_.readAllStandardError();
            said_ += said;
            std::fwrite(said.constData(), 1, size_t(said.size()), stderr);
        });
    }
    ~ScreenProgram() { stop(); }

    // `skip`: areas that change on their own (a clock). Starts the program and
    // waits until its main window shows; its place, or a null rectangle.
    QRect start(const QList<QRect>& skip = {}) {
        skip_ = skip;
        park();
        empty_ = screen();
        process_.start(e2e::binary(), {});
        if (!process_.waitForStarted(10000)) return {};
        e2e::waitFor([&] { return (main_ = shownArea()).width() == kMainWidth; }, 30000);
        if (main_.width() != kMainWidth) {
            qWarning("no main window: the screen changed within %d,%d %dx%d", main_.x(), main_.y(),
                     main_.width(), main_.height());
            return {};
        }
        // Shown is not yet ready for input.
        QTest::qWait(700);
        looks_ = screen().copy(main_);
        return main_;
    }
    // Where the screen now differs from the screen before the start.
    QRect shownArea() const {
        const QImage now = screen();
        QImage before = empty_;
        QPainter p(&before);
        for (const QRect& r : skip_)
            p.drawImage(r.topLeft(), now.copy(r));
        p.end();
        return changedArea(before, now);
    }
    // Whether the main window is back: where it was, or (GNOME places a window
    // shown again anew) of its size anywhere.
    bool mainBack(int timeoutMs = 15000) const {
        return e2e::waitFor([&] { return shownArea().size() == main_.size(); }, timeoutMs);
    }
    // Whether the main window is back and shows something new over its first
    // looks: a message on its tip line, a message box over it or beside it.
    bool mainWithMessage() const {
        const QImage now = screen();
        QImage before = empty_;
        QPainter p(&before);
        for (const QRect& r : skip_)
            p.drawImage(r.topLeft(), now.copy(r));
        p.end();
        const QRect shown = changedArea(before, now);
        if (shown.size() == main_.size()) return now.copy(shown) != looks_;
        return shown.width() >= main_.width() && shown.height() >= main_.height();
    }
    const QImage& emptyScreen() const { return empty_; }
    QRect main() const { return main_; }
    bool click(QPoint inMain) { return wld::click(main_.topLeft() + inMain); }
    void stop() {
        if (process_.state() == QProcess::NotRunning) return;
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
    QProcess& process() { return process_; }
    // Waits until the region editor has shown its first frame `openings` times.
    bool editorShown(int openings = 1) {
        return e2e::waitFor([&] { return said_.count("region editor first frame") >= openings; },
                            20000);
    }

private:
    QProcess process_;
    QByteArray said_;
    QImage empty_;
    QImage looks_;
    QRect main_;
    QList<QRect> skip_;
};

// A native Wayland window of one colour, for the dropper.
class ColourWindow : public QWidget {
public:
    // Without Qt's own title bar, whose looks change with the focus.
    explicit ColourWindow(QColor colour)
        : QWidget(nullptr, Qt::FramelessWindowHint), colour_(colour) {
        setWindowTitle("kolvane colour target");
        setFixedSize(900, 700);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

// Where a block of one colour of at least `size` shows in `picture`: its top-left
// corner, or a null point.
inline QPoint findBlock(const QImage& picture, QRgb colour, QSize size) {
    for (int y = 0; y + size.height() <= picture.height(); y += 8)
        for (int x = 0; x + size.width() <= picture.width(); ++x)
            if (picture.pixel(x, y) == colour && picture.pixel(x + size.width() - 1, y) == colour &&
                picture.pixel(x, y + size.height() / 2) == colour)
                return {x, y};
    return {};
}

// The cases. `skip`: areas of the desktop that change on their own (GNOME's top
// bar), left out of every comparison.
class CaptureCases {
public:
    explicit CaptureCases(QList<QRect> skip) : skip_(std::move(skip)) {}

    // "全屏截图": three seconds later the saved picture is the screen, the main
    // window in it as on X (it stays during the countdown).
    void fullScreenCapture() {
        ScreenProgram kolvane;
        const QRect main = kolvane.start(skip_);
        QVERIFY(main.isValid());
        const QStringList before = kvtest::captureFiles();
        QVERIFY(kolvane.click(kScreenCommand));
        QVERIFY(park());
        const QImage saved = kvtest::takeNewCapture(before, 20000);
        QVERIFY2(!saved.isNull(), "no capture was saved");
        // The screen is what was saved, the main window in it (which now shows the
        // capture itself).
        QVERIFY(sameOutside(saved, screen(), skip_ + QList<QRect>{pointerArea(kParked), main}));
        QCOMPARE(changedArea(kolvane.emptyScreen(), saved,
                             skip_.isEmpty() ? 0 : skip_.first().bottom() + 1),
                 main);
    }

    // "区域截图": the editor covers the screen with the frozen picture, which is the
    // screen without the main window; a dragged region, finished by a double click,
    // is on the clipboard pixel for pixel; the main window comes back.
    // `cut`: the region is made, read back from the clipboard, and the main window
    // comes back; else only the frozen picture is checked (where the editor does
    // not yet take the driver's input).
    void regionToClipboard(bool cut = true) {
        ScreenProgram kolvane;
        const QRect main = kolvane.start(skip_);
        QVERIFY(main.isValid());
        const QImage truth = kolvane.emptyScreen();
        const QPoint command = main.topLeft() + kRegionCommand;
        QVERIFY(kolvane.click(kRegionCommand));
        const QList<QRect> moving =
            skip_ + QList<QRect>{pointerArea(command), pointerArea(kParked)};
        QVERIFY(kolvane.editorShown());
        // The frozen picture is the screen without the main window.
        QVERIFY(e2e::waitFor([&] { return sameOutside(screen(), truth, moving); }, 20000));
        if (!cut) return;
        QVERIFY(pointer({"drag", "100", "120", "420", "300", "12"}));
        QVERIFY(pointer({"move", "200", "200", "click", "sleep", "60", "click"}));
        QImage region;
        e2e::waitFor(
            [&] {
                region = clipboardImage();
                return !region.isNull();
            },
            10000);
        QVERIFY(!region.isNull());
        QCOMPARE(region.size(), QSize(320, 180));
        QVERIFY(sameOutside(region, truth.copy(100, 120, 320, 180), QList<QRect>{}));
        QVERIFY(park());
        QVERIFY(kolvane.mainBack());
    }

    // A drag from the dropper over a native Wayland window of a known colour makes
    // that the current colour, exactly.
    void dropperPicksNativeWindow() {
        ColourWindow target(QColor(12, 200, 99));
        target.show();
        QPoint at;
        QVERIFY(e2e::waitFor(
            [&] {
                return !(at = findBlock(screen(), qRgb(12, 200, 99), {900, 700})).isNull();
            },
            20000));
        ScreenProgram kolvane;
        // The target stays where it is: the program's window is found around it.
        const QRect main = kolvane.start(skip_);
        QVERIFY(main.isValid());
        // A point of the target that the main window leaves free.
        const QRect area(at, QSize(900, 700));
        QPoint to;
        for (const QPoint p :
             {area.topLeft() + QPoint(20, 20), area.topRight() + QPoint(-20, 20),
              area.bottomLeft() + QPoint(20, -20), area.bottomRight() + QPoint(-20, -20)})
            if (!main.adjusted(-8, -8, 8, 8).contains(p)) to = p;
        QVERIFY2(!to.isNull(), "the main window covers the target");
        QVERIFY(kolvane.click(kColourTab));
        QTest::qWait(300);
        const QPoint from = main.topLeft() + kDropper;
        // Pressed, then moved once the press has been taken, as a hand does: the
        // picture the pick reads is taken at the press, and a headless compositor
        // draws its pointer into it (KWin's virtual output has no pointer plane).
        QStringList steps{
            "move", QString::number(from.x()), QString::number(from.y()), "down", "sleep", "800"};
        for (int i = 1; i <= 10; ++i) {
            const QPoint p = from + (to - from) * i / 10;
            steps << "move" << QString::number(p.x()) << QString::number(p.y()) << "sleep"
                  << "20";
        }
        QVERIFY(pointer(steps << "up"));
        QVERIFY(e2e::waitFor(
            [&] { return screen().pixel(main.topLeft() + kColourPreview) == qRgb(12, 200, 99); },
            15000));
    }

private:
    QList<QRect> skip_;
};

} // namespace wld
