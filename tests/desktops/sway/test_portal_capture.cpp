// Kolvane in a Wayland session, driven as a user would on the headless sway
// desktop: its captures and its frozen editor show exactly what the compositor
// shows (grim's picture), the main window is never in a frozen picture, a region
// reaches the Wayland clipboard pixel for pixel (and its text, read by 文字识别, as
// text), the dropper picks a native Wayland
// window's colour, and without a portal every capture command says so and the
// main window comes back.
#include "e2e/support/textpicture.h"
#include "support/capturefiles.h"
#include "support/privatebus.h"
#include "swaydesktop.h"

#include <QApplication>
#include <QDirIterator>
#include <QPainter>
#include <QWidget>

namespace {

// A native Wayland window of one colour.
class ColourWindow : public QWidget {
public:
    explicit ColourWindow(QColor colour) : colour_(colour) {
        setWindowTitle("kolvane colour target");
        setFixedSize(200, 120);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), colour_); }

private:
    QColor colour_;
};

// "区域截图": true once the editor, the program's only window, covers the output.
bool openEditor(sway::Program& kolvane) {
    if (!kolvane.click(sway::kRegionCommand)) return false;
    const bool shown = e2e::waitFor(
        [&] {
            const auto views = kolvane.windows();
            return views.size() == 1 && sway::rectOf(views.first()) == QRect(0, 0, 1920, 1080);
        },
        15000);
    QTest::qWait(200);
    return shown;
}

} // namespace

class TestPortalCapture : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QImage background_;

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        // The pointer's positions are the output's pixels at scale 1, and so its
        // device pixels at scale 2.
        QCOMPARE(sway::pointerExtent(), QSize(1920, 1080));
        background_ = sway::pattern(QSize(1920, 1080));
        QVERIFY2(sway::setBackground(background_, dir_.filePath("pattern.png")),
                 "the background never showed");
    }

    void fullScreenCapture_data() {
        QTest::addColumn<QPoint>("command");
        QTest::newRow("全屏截图") << sway::kScreenCommand;
        // Wayland tells no program which window is active: the whole screen instead.
        QTest::newRow("窗体截图") << sway::kWindowCommand;
    }
    // Three seconds later the saved picture is the screen, the main window in it as
    // on X (it stays on the screen during the countdown).
    void fullScreenCapture() {
        QFETCH(QPoint, command);
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        const QStringList before = kvtest::captureFiles();
        QVERIFY(kolvane.click(command));
        const QImage saved = kvtest::takeNewCapture(before, 15000);
        QVERIFY2(!saved.isNull(), "no capture was saved");
        QVERIFY(sway::sameOutside(saved, background_, main));
    }

    // "区域截图": the editor covers the output with the frozen picture, which is
    // the screen without the main window; a dragged region, finished by a double
    // click, is on the clipboard pixel for pixel.
    void regionToClipboard() {
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        QVERIFY(openEditor(kolvane));
        QVERIFY(sway::sameOutside(sway::grim(), background_,
                                  sway::pointerArea(main.topLeft() + sway::kRegionCommand)));

        QVERIFY(sway::pointer({"drag", "100", "120", "420", "300", "12"}));
        const QImage region = sway::finishByDoubleClick({200, 200});
        QVERIFY(!region.isNull());
        QCOMPARE(region.size(), QSize(320, 180));
        QCOMPARE(region, background_.copy(100, 120, 320, 180));
        // The main window is back.
        QVERIFY(e2e::waitFor([&] {
            const QList<QRect> rects = kolvane.windowRects();
            return rects.size() == 1 && rects.first().width() == 561;
        }));
    }

    // "文字识别" by its key (O, typed on a virtual keyboard) over a known text: the text
    // reaches the Wayland clipboard exactly.
    void regionTextToClipboard() {
        const QRect text(100, 120, 520, 100);
        QImage desktop = background_;
        QPainter(&desktop).drawImage(text.topLeft(),
                                     e2e::textPicture(text.size(), e2e::kKnownLines));
        // The pointer out of the way, where it stays until the drag.
        const QPoint parked(1900, 10);
        QVERIFY(sway::pointer({"move", "1900", "10"}));
        const QList<QRect> pointer{sway::pointerArea(parked)};
        struct Restore {
            QImage background;
            QString file;
            QList<QRect> pointer;
            ~Restore() {
                sway::pointer({"move", "1900", "10"});
                sway::setBackground(background, file, pointer);
            }
        } restore{background_, dir_.filePath("pattern.png"), pointer};
        QVERIFY(sway::setBackground(desktop, dir_.filePath("text.png"), pointer));
        QVERIFY(e2e::run("wl-copy", {"replaced by the text"}).exitCode == 0);
        sway::Program kolvane;
        QVERIFY(kolvane.start().isValid());
        QVERIFY(openEditor(kolvane));
        const QPoint end = text.topLeft() + QPoint(text.width(), text.height());
        QVERIFY(sway::pointer({"drag", QString::number(text.x()), QString::number(text.y()),
                               QString::number(end.x()), QString::number(end.y()), "12"}));
        QTest::qWait(200);
        // The headless seat has a keyboard only while wtype's virtual one is there: a
        // key pressed at once would reach the program before it has taken the new
        // keyboard, so wtype waits a moment first.
        QCOMPARE(e2e::run("wtype", {"-s", "400", "o"}).exitCode, 0);
        // The main window back, and the result window once the text is read.
        QVERIFY(e2e::waitFor([&] { return kolvane.windows().size() == 2; }, 30000));
        QString got;
        QVERIFY2(e2e::waitFor(
                     [&] {
                         got = QString::fromUtf8(e2e::run("wl-paste", {"--no-newline", "-t",
                                                                       "text/plain;charset=utf-8"})
                                                     .out);
                         return got != QStringLiteral("replaced by the text");
                     },
                     10000),
                 "no text came to the clipboard");
        QCOMPARE(got, e2e::kKnownLines.join('\n'));
    }

    // On an output of scale 2 the editor still shows the picture pixel for pixel,
    // and its coordinates are the picture's (device) pixels: the same drag in
    // device pixels gives the same region.
    void regionAtScaleTwo() {
        struct Restore {
            QImage background;
            QString file;
            ~Restore() {
                e2e::run("swaymsg", {"output", "*", "scale", "1"});
                sway::setBackground(background, file);
            }
        } restore{background_, dir_.filePath("pattern.png")};
        // The background drawn again at this scale, in the output's device pixels,
        // is the pattern pixel for pixel once it has settled: the truth from here on.
        e2e::run("swaymsg", {"output", "*", "scale", "2"});
        // The pointer out of the way, where it stays until the click.
        const QPoint parked(1900, 10);
        QVERIFY(sway::pointer({"move", "1900", "10"}));
        QTest::qWait(200);
        QImage truth;
        QVERIFY(e2e::waitFor([&] {
            truth = sway::grim();
            return sway::sameOutside(truth, background_, sway::pointerArea(parked, 2));
        }));
        sway::Program kolvane;
        const QRect layout = kolvane.start(2);
        QVERIFY(layout.isValid());
        // The pointer driver's 1920 x 1080 spans the output: device pixels.
        const QPoint command = layout.topLeft() * 2 + sway::kRegionCommand;
        QVERIFY(sway::click(command));
        QVERIFY(e2e::waitFor(
            [&] {
                const auto views = kolvane.windows();
                return views.size() == 1 && sway::rectOf(views.first()) == QRect(0, 0, 960, 540);
            },
            15000));
        QTest::qWait(200);
        const QImage frame = sway::grim();
        // The pointer is in the truth where it was parked, in the frozen picture where
        // it clicked, and over the editor there too.
        QImage truthHere = truth;
        QPainter(&truthHere)
            .drawImage(sway::pointerArea(parked, 2).topLeft(),
                       frame.copy(sway::pointerArea(parked, 2)));
        QVERIFY(sway::sameOutside(frame, truthHere, sway::pointerArea(command, 2)));
        QVERIFY(sway::pointer({"drag", "30", "50", "350", "230", "12"}));
        const QImage region = sway::finishByDoubleClick({200, 200});
        QVERIFY(!region.isNull());
        QCOMPARE(region, truth.copy(30, 50, 320, 180));
    }

    // A drag from the dropper over a native Wayland window of a known colour
    // makes that the current colour, exactly.
    void dropperPicksNativeWindow() {
        ColourWindow target(QColor(12, 200, 99));
        target.show();
        const QString me = QString::number(QCoreApplication::applicationPid());
        QRect where;
        QVERIFY(e2e::waitFor([&] {
            const auto views = sway::viewsOf(QCoreApplication::applicationPid());
            if (views.size() == 1) where = sway::rectOf(views.first());
            return where.width() == 200;
        }));
        e2e::run("swaymsg", {QString("[pid=%1] move position 40 40").arg(me)});
        QVERIFY(e2e::waitFor([&] {
            const auto views = sway::viewsOf(QCoreApplication::applicationPid());
            return views.size() == 1 && sway::rectOf(views.first()).topLeft() == QPoint(40, 40);
        }));
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        QVERIFY(kolvane.click(sway::kColourTab));
        QTest::qWait(300);
        const QPoint from = main.topLeft() + sway::kDropper;
        QVERIFY(sway::pointer(
            {"drag", QString::number(from.x()), QString::number(from.y()), "140", "100", "10"}));
        QVERIFY(e2e::waitFor(
            [&] {
                return sway::grim().pixel(main.topLeft() + sway::kColourPreview) ==
                       qRgb(12, 200, 99);
            },
            10000));
    }

    // With no portal on the bus, each capture command says why on a message box,
    // and the main window is there again, where it was.
    void withoutPortal() {
        kv::test::PrivateBus empty;
        QVERIFY(empty.ok());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", empty.address());
        for (const QPoint command : {sway::kRegionCommand, sway::kScreenCommand}) {
            sway::Program kolvane(env);
            const QRect main = kolvane.start();
            QVERIFY(main.isValid());
            const QStringList before = kvtest::captureFiles();
            QVERIFY(kolvane.click(command));
            QVERIFY(e2e::waitFor([&] { return kolvane.windows().size() == 2; }, 15000));
            QRect box, back;
            for (const QJsonObject& v : kolvane.windows()) {
                if (sway::rectOf(v).width() == 561)
                    back = sway::rectOf(v);
                else
                    box = sway::rectOf(v);
            }
            QCOMPARE(back, main);
            QVERIFY(box.isValid());
            QCOMPARE(kvtest::captureFiles(), before);
        }
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestPortalCapture test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_portal_capture.moc"
