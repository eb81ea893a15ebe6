// Annotating as a user does it: "区域截图", a dragged selection, a rectangle and an arrow
// drawn with the tool bar, undo, redo and finish; the clipboard then holds the region
// with exactly those strokes on it.
#include "e2e/support/desktop.h"
#include "e2e/support/regioneditor.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {

const QRgb kRed = qRgb(255, 0, 0);

// A desktop background with detail everywhere, so that any stray pixel shows.
QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb((x * 5 + y) & 0xff, (y * 3 + 40) & 0xff, (x ^ y) & 0xff));
    return img;
}

bool shown(const QString& nameRegex) {
    return !xdotool({"search", "--onlyvisible", "--name", nameRegex}).isEmpty();
}

} // namespace

class TestAnnotate : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void cleanupTestCase() { run("display", {"-window", "root", "xc:black"}); }

    void committedStrokesReachTheClipboard() {
        QScreen* screen = QGuiApplication::primaryScreen();
        const QString file = dir.filePath("background.bmp");
        QVERIFY(pattern(screen->size()).save(file));
        run("display", {"-window", "root", file});
        run("xclip", {"-selection", "clipboard", "/dev/null"});

        Program program;
        QVERIFY(program.start());
        const QString main = program.mainWindow();
        QVERIFY(!main.isEmpty());
        const QRect mainArea = windowGeometry(main);

        // A region away from the main window and from the tray at the bottom.
        const int left =
            mainArea.right() < screen->size().width() / 2 ? screen->size().width() / 2 + 100 : 100;
        const QRect region(left, 200, 400, 300);
        QVERIFY(!region.intersects(mainArea));
        const QImage before =
            screen->grabWindow(0, region.x(), region.y(), region.width(), region.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);

        program.click(kRegionCommand);
        QVERIFY2(waitFor([] { return shown("^Kolvane "); }), "the region editor did not appear");
        QVERIFY(waitFor([] { return !shown("^Kolvane$"); }));

        const QPoint origin = region.topLeft();
        drag(origin, origin + QPoint(region.width(), region.height()));
        // The tool bar: right edges aligned with the selection, 4 pixels under it;
        // each button's icon is 16 pixels square, 5 pixels from the bar's top.
        const QPoint bar(region.right() + 1 - 265, region.bottom() + 1 + 4);
        auto button = [&](int iconLeft) { return bar + QPoint(iconLeft + 8, 5 + 8); };

        const QPoint r0 = origin + QPoint(20, 20), r1 = origin + QPoint(120, 100);
        clickAt(button(7)); // rectangle
        drag(r0, r1);
        const QPoint tail = origin + QPoint(150, 150), tip = origin + QPoint(300, 150);
        clickAt(button(57)); // arrow
        drag(tail, tip);
        clickAt(button(137)); // undo: the arrow goes
        clickAt(button(162)); // redo: it comes back
        // The font-size list opens and closes again by two presses on its face (the
        // text tool's option bar lies 3 pixels under the tool bar).
        clickAt(button(106));
        const QPoint face = bar + QPoint(0, 26 + 3) + QPoint(4 + 21, 8) + QPoint(40, 11);
        const QRect below(face.x() - 40, face.y() + 14, 50, 60);
        auto grabBelow = [&] {
            return screen->grabWindow(0, below.x(), below.y(), below.width(), below.height())
                .toImage();
        };
        const QImage closed = grabBelow();
        clickAt(face);
        QVERIFY2(waitFor([&] { return grabBelow() != closed; }), "the size list did not open");
        xdotool({"click", "1"}); // the pointer is still on the face
        QVERIFY2(waitFor([&] { return grabBelow() == closed; }), "the size list did not close");
        QTest::qWait(200);
        QCOMPARE(grabBelow(), closed);

        clickAt(button(242)); // finish

        QImage got;
        QVERIFY2(waitFor([&] { return !(got = clipboardImage()).isNull(); }),
                 "no picture on the clipboard");
        QVERIFY(waitFor([] { return shown("^Kolvane$"); }));
        got = got.convertToFormat(QImage::Format_RGB32);
        QCOMPARE(got.size(), region.size());

        // In the region's own pixels: the rectangle's one-pixel outline, the arrow's
        // shaft along one row, its head inside the 10 x 10 box behind the tip.
        const QRect rect(r0 - origin, r1 - origin);
        const QPoint t0 = tail - origin, t1 = tip - origin;
        const QRect head(QPoint(t1.x() - 10, t1.y() - 5), t1 + QPoint(0, 5));
        int outline = 0;
        for (int y = 0; y < got.height(); ++y)
            for (int x = 0; x < got.width(); ++x) {
                const QRgb c = got.pixel(x, y) | 0xff000000;
                const bool edge = rect.contains(x, y) && (x == rect.left() || x == rect.right() ||
                                                          y == rect.top() || y == rect.bottom());
                const bool shaft = y == t0.y() && x >= t0.x() && x <= t1.x();
                const QString at = QStringLiteral("%1,%2").arg(x).arg(y);
                if (edge || shaft) {
                    QVERIFY2(c == kRed, qPrintable("stroke missing at " + at));
                    outline += edge;
                } else if (head.contains(x, y)) {
                    QVERIFY2(c == kRed || c == before.pixel(x, y), qPrintable("head at " + at));
                } else {
                    QVERIFY2(c == before.pixel(x, y), qPrintable("stray change at " + at));
                }
            }
        QCOMPARE(outline, 2 * (rect.width() + rect.height()) - 4);
        QCOMPARE(got.pixel(head.topLeft()) | 0xff000000, kRed);
        QCOMPARE(got.pixel(head.bottomLeft()) | 0xff000000, kRed);
    }
};

QTEST_MAIN(TestAnnotate)
#include "test_annotate.moc"
