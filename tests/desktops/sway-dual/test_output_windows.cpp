// The region editor on a Wayland desktop of two outputs (1920x1080 and 1280x720 to
// its right, tops aligned): one full-screen window per output, each showing exactly
// its output's part of the frozen picture; a selection dragged across both, either
// way, reaches the clipboard pixel for pixel; the tool bar stands on the output that
// holds the selection's bottom-right corner.
#include "desktops/sway/swaydesktop.h"

#include <QApplication>
#include <QPainter>

namespace {

const QRect kFirst(0, 0, 1920, 1080);
const QRect kSecond(1920, 0, 1280, 720);
const QColor kBarBackground(222, 238, 255);

// Pixels of the tool bar's background inside `area` of `screen`.
int barPixels(const QImage& screen, const QRect& area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += screen.pixel(x, y) == kBarBackground.rgb();
    return n;
}

QString num(int v) {
    return QString::number(v);
}

} // namespace

class TestOutputWindows : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QImage truth_;

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
        QCOMPARE(sway::pointerExtent(), QSize(3200, 1080));
        // A pattern of its own on each output, so no part could pass for another.
        QImage second = sway::pattern(kSecond.size());
        second.invertPixels();
        const QString one = dir_.filePath("one.png"), two = dir_.filePath("two.png");
        QVERIFY(sway::pattern(kFirst.size()).save(one) && second.save(two));
        e2e::run("swaymsg", {"output", "HEADLESS-1", "bg", one, "stretch"});
        e2e::run("swaymsg", {"output", "HEADLESS-2", "bg", two, "stretch"});
        truth_ = QImage(3200, 1080, QImage::Format_RGB32);
        truth_.fill(Qt::black); // below the second output nothing shows
        QPainter(&truth_).drawImage(kFirst.topLeft(), sway::pattern(kFirst.size()));
        QPainter(&truth_).drawImage(kSecond.topLeft(), second);
        QVERIFY2(e2e::waitFor([&] { return sway::grim() == truth_; }, 10000),
                 "the backgrounds never showed");
    }

    void acrossOutputs_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("finishAt");
        QTest::addColumn<QRect>("barOutput");
        // Pressed on the first output, released on the second; finished on the first,
        // where the editor has to come back to.
        QTest::newRow("first to second")
            << QPoint(1700, 300) << QPoint(2300, 500) << QPoint(1800, 400) << kSecond;
        // Pressed on the second, released on the first: the bottom-right corner is
        // still on the second.
        QTest::newRow("second to first")
            << QPoint(2400, 650) << QPoint(1500, 150) << QPoint(2000, 400) << kSecond;
        // Wholly on the first output, after the pointer has been on the second.
        QTest::newRow("first only")
            << QPoint(1300, 700) << QPoint(1800, 1000) << QPoint(1500, 800) << kFirst;
    }
    void acrossOutputs() {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPoint, finishAt);
        QFETCH(QRect, barOutput);
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        const QPoint command = main.topLeft() + sway::kRegionCommand;
        QVERIFY(sway::click(command));
        QVERIFY(e2e::waitFor(
            [&] {
                QList<QRect> rects;
                for (const QJsonObject& v : kolvane.windows())
                    rects << sway::rectOf(v);
                return rects.size() == 2 && rects.contains(kFirst) && rects.contains(kSecond);
            },
            15000));
        QTest::qWait(300);
        // Each output's window shows its part of the frozen picture: the screen as it
        // was, without the main window (the pointer is in it where it clicked).
        QVERIFY(sway::sameOutside(sway::grim(), truth_, sway::pointerArea(command)));

        QVERIFY(sway::pointer({"move", "2600", "300", "sleep", "100"}));
        QVERIFY(
            sway::pointer({"drag", num(from.x()), num(from.y()), num(to.x()), num(to.y()), "16"}));
        // Over the bar's output, where the user goes to reach the bar. (The headless
        // compositor redraws an output the pointer has left only when it comes back.)
        const QPoint hover = barOutput.bottomRight() - QPoint(40, 40);
        QVERIFY(sway::pointer({"move", num(hover.x()), num(hover.y()), "sleep", "200"}));
        const QRect selection(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                              QSize(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())));
        const QImage screen = sway::grim();
        const QRect other = barOutput == kFirst ? kSecond : kFirst;
        // The bar's 265 x 26 pixels, less what its outline and icons take.
        QVERIFY2(barPixels(screen, barOutput) > 3000, "no tool bar on its output");
        QCOMPARE(barPixels(screen, other), 0);

        const QImage region = sway::finishByDoubleClick(finishAt);
        QVERIFY(!region.isNull());
        QCOMPARE(region.size(), selection.size());
        QCOMPARE(region, truth_.copy(selection));
        // Both editor windows are gone and the main window is back.
        QVERIFY(e2e::waitFor([&] {
            const QList<QRect> rects = kolvane.windowRects();
            return rects.size() == 1 && rects.first().width() == 561;
        }));
        e2e::run("wl-copy", {"--clear"});
    }

    // Leaving the editor unloads it with its windows; the next capture opens fresh
    // windows on both outputs, which answer the pointer as the first ones did.
    void leaveAndOpenAgain() {
        sway::Program kolvane;
        const QRect main = kolvane.start();
        QVERIFY(main.isValid());
        const auto editorShown = [&] {
            const bool shown = e2e::waitFor(
                [&] {
                    const QList<QRect> rects = kolvane.windowRects();
                    return rects.size() == 2 && rects.first().width() != 561;
                },
                15000);
            QTest::qWait(500); // mapped, and ready for input
            return shown;
        };
        // The compositor places the main window again when it comes back (sway: in
        // the middle of the output the pointer is on).
        const auto mainBack = [&] {
            return e2e::waitFor([&] {
                const QList<QRect> rects = kolvane.windowRects();
                return rects.size() == 1 && rects.first().size() == main.size();
            });
        };
        QVERIFY(kolvane.click(sway::kRegionCommand));
        QVERIFY(editorShown());
        QVERIFY(sway::pointer({"move", "2500", "300", "click", "right"}));
        QVERIFY(mainBack());
        QTest::qWait(700); // mapped again, and ready for input
        const QPoint command =
            sway::rectOf(kolvane.windows().first()).topLeft() + sway::kRegionCommand;
        QVERIFY(sway::click(command));
        QVERIFY(editorShown());
        QTest::qWait(300);
        QVERIFY(sway::sameOutside(sway::grim(), truth_, sway::pointerArea(command)));
        QVERIFY(sway::pointer({"move", "100", "100", "click", "right"}));
        QVERIFY(mainBack());
        QCOMPARE(kolvane.process().state(), QProcess::Running);
    }
};

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    TestOutputWindows test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_output_windows.moc"
