// The region editor as a user meets it: "区域截图" on the main window freezes the screen,
// a drag selects, Esc or a right click leaves again.
#include "e2e/support/desktop.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {

// "区域截图" on the capture page, in the main window's own pixels.
const QPoint kRegionCommand(80, 278);
const QRgb kOutlineBlue = qRgb(0, 122, 236);

// A desktop background with detail everywhere, so that any stray pixel shows.
QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 0xff, (y * 3) & 0xff, (x * y * 13 + x) & 0xff);
    }
    return img;
}

// The root window as the X server shows it, read by this test process itself.
QImage screenNow() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

QStringList visibleWindows(const QString& nameRegex) {
    return xdotool({"search", "--onlyvisible", "--name", nameRegex})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
bool mainShown() {
    return !visibleWindows(QStringLiteral("^Kolvane$")).isEmpty();
}
bool editorShown() {
    return !visibleWindows(QStringLiteral("^Kolvane ")).isEmpty();
}

// Pixels that differ between two screen pictures, outside `skip`; the box around them.
int differences(const QImage& a, const QImage& b, const QRect& skip, QRect* box = nullptr) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    QRect where;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (((la[x] ^ lb[x]) & 0xffffff) == 0 || skip.contains(x, y)) continue;
            ++n;
            where = where.united(QRect(x, y, 1, 1));
        }
    }
    if (box) *box = where;
    return n;
}

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

} // namespace

class TestRegion : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QImage desktop; // the screen with the background and nothing of ours
    QRect trayArea; // the tray host's panel, where our icon comes and goes
    QRect mainArea; // where the main window stands
    std::unique_ptr<Program> program;

    void openEditor() {
        QVERIFY(mainShown());
        program->click(kRegionCommand);
        QVERIFY2(waitFor(editorShown), "the region editor did not appear");
        QVERIFY2(waitFor([] { return !mainShown(); }), "the main window stayed on the screen");
    }
    void closedAgain() {
        QVERIFY2(waitFor(mainShown), "the main window did not come back");
        QVERIFY2(waitFor([] { return !editorShown(); }), "the editor stayed open");
    }

private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        const QImage screen = screenNow();
        QVERIFY(!screen.isNull());
        const QString file = dir.filePath("background.bmp");
        QVERIFY(pattern(screen.size()).save(file));
        run("display", {"-window", "root", file}); // its exit status says nothing useful
        const QString tray = xdotool({"search", "--onlyvisible", "--class", "trayer"})
                                 .section(QLatin1Char('\n'), 0, 0);
        // The panel grows to the left as icons dock in it (ours does while the editor is
        // open), so its whole strip on the right half of the screen is left out.
        if (!tray.isEmpty()) {
            const QRect panel = windowGeometry(tray);
            trayArea = QRect(QPoint(screen.width() / 2, panel.top() - 2),
                             QPoint(screen.width() - 1, panel.bottom() + 2));
        }
        desktop = screenNow();
        QVERIFY2(desktop != screen, "the desktop background could not be set");

        program = std::make_unique<Program>();
        QVERIFY(program->start());
        const QString main = program->mainWindow();
        QVERIFY(!main.isEmpty());
        mainArea = windowGeometry(main);
        QVERIFY(differences(screenNow(), desktop, trayArea) > 0); // the main window shows
    }

    void cleanupTestCase() {
        program.reset();
        run("display", {"-window", "root", "xc:black"}); // leave a plain desktop behind
    }

    // The frozen picture is the screen as it was without the main window: no pixel of
    // the main window, nothing else changed, the whole screen covered.
    void firstFrameIsTheScreenWithoutTheMainWindow() {
        openEditor();
        QImage shown;
        QRect box;
        waitFor([&] {
            shown = screenNow();
            return differences(shown, desktop, trayArea) == 0;
        });
        const int stray = differences(shown, desktop, trayArea, &box);
        QVERIFY2(stray == 0, qPrintable(QStringLiteral("%1 pixels differ in %2 (main window at %3)")
                                            .arg(stray)
                                            .arg(describe(box), describe(mainArea))));
    }

    // The outline lies exactly on the border pixels of the dragged region.
    void outlineLiesOnTheSelection() {
        QVERIFY(editorShown());
        xdotool({"mousemove", "--sync", "300", "200", "mousedown", "1"});
        for (const char* p : {"350 260", "500 350", "650 470"})
            xdotool(QStringList{"mousemove", "--sync"} + QString(p).split(' '));
        xdotool({"mousemove", "--sync", "700", "500", "mouseup", "1"});
        const QRect sel(300, 200, 400, 300);
        // Handles (4 x 4, the same blue) stand on the corners and edge midpoints.
        auto nearHandle = [&](int x, int y) {
            for (int hx : {sel.left(), sel.left() + sel.width() / 2, sel.left() + sel.width()})
                for (int hy : {sel.top(), sel.top() + sel.height() / 2, sel.top() + sel.height()})
                    if (qAbs(x - hx) <= 3 && qAbs(y - hy) <= 3) return true;
            return false;
        };
        QImage shown;
        int wrong = 0;
        QRect box;
        auto expect = [&](int x, int y, bool blue) {
            if (nearHandle(x, y)) return;
            const bool isBlue = (shown.pixel(x, y) & 0xffffff) == (kOutlineBlue & 0xffffff);
            const bool ok = blue ? isBlue : shown.pixel(x, y) == desktop.pixel(x, y);
            if (!ok) {
                ++wrong;
                box = box.united(QRect(x, y, 1, 1));
            }
        };
        // The release hides the loupe and shows the tool bar; those repaints arrive on
        // their own time, so the whole outline is checked again until it settles.
        auto checkOutline = [&] {
            shown = screenNow();
            wrong = 0;
            box = QRect();
            for (int x = sel.left() - 1; x <= sel.right() + 1; ++x) {
                const bool onEdge = x >= sel.left() && x <= sel.right();
                expect(x, sel.top(), onEdge);
                expect(x, sel.bottom(), onEdge);
                expect(x, sel.top() - 1, false);
                expect(x, sel.bottom() + 1, false);
                if (onEdge && x > sel.left() + 200)
                    expect(x, sel.top() + 1, false); // read-outs left
                if (onEdge && x > sel.left() && x < sel.right()) expect(x, sel.bottom() - 1, false);
            }
            for (int y = sel.top(); y <= sel.bottom(); ++y) {
                expect(sel.left(), y, true);
                expect(sel.right(), y, true);
                expect(sel.left() - 1, y, false);
                expect(sel.right() + 1, y, false);
                if (y > sel.top() + 60 && y < sel.bottom()) expect(sel.left() + 1, y, false);
                if (y > sel.top() && y < sel.bottom()) expect(sel.right() - 1, y, false);
            }
            return wrong == 0;
        };
        waitFor(checkOutline);
        QVERIFY2(
            wrong == 0,
            qPrintable(
                QStringLiteral("%1 outline pixels wrong in %2").arg(wrong).arg(describe(box))));
    }

    void escapeBringsTheMainWindowBack() {
        QVERIFY(editorShown());
        xdotool({"key", "Escape"});
        closedAgain();
    }

    void rightClickWithoutSelectionLeaves() {
        openEditor();
        xdotool({"mousemove", "--sync", "900", "600", "click", "3"});
        closedAgain();
        // Opened again afterwards, the editor is fresh and the screen frozen anew.
        openEditor();
        xdotool({"key", "Escape"});
        closedAgain();
    }

    // Dragged elsewhere by its banner, the main window comes back there after a region
    // capture, not where the window manager would put a new window.
    void mainWindowComesBackWhereTheUserPutIt() {
        const QString main = program->mainWindow();
        const QRect before = windowGeometry(main);
        const QPoint grip = program->toScreen(QPoint(200, 30)); // on the banner
        auto arg = [](int v) { return QString::number(v); };
        xdotool({"mousemove", "--sync", arg(grip.x()), arg(grip.y()), "mousedown", "1"});
        for (int step = 1; step <= 4; ++step)
            xdotool({"mousemove", "--sync", arg(grip.x() - 100 * step), arg(grip.y() - 50 * step)});
        xdotool({"mouseup", "1"});
        QRect moved;
        QVERIFY2(waitFor([&] {
                     moved = windowGeometry(main);
                     return moved.topLeft() == before.topLeft() - QPoint(400, 200);
                 }),
                 qPrintable(describe(moved)));
        openEditor();
        xdotool({"key", "Escape"});
        closedAgain();
        QRect after;
        QVERIFY2(waitFor([&] {
                     after = windowGeometry(main);
                     return after == moved;
                 }),
                 qPrintable(describe(after) + QStringLiteral(" instead of ") + describe(moved)));
    }
};

QTEST_MAIN(TestRegion)
#include "test_region.moc"
