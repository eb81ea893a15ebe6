// The loupe that travels with the dropper, checked on the real screen: its cells
// show exactly the screen pixels round the pointer, also at the screen's edges, it
// never lies over them, the colour picked is its centre, and it is gone on release.
#include "e2e/support/desktop.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace e2e;

namespace {

const QPoint kColourTab(65, 128);   // "取色"
const QPoint kDropperBox(376, 224); // Picture1's middle
const QPoint kHtmlBox(512, 158);    // TxtClrVal 0

// The loupe's enlarged grid: 15 x 15 cells of 8 x 8 pixels, one pixel of grid
// between them and round the whole.
constexpr int kCells = 15, kRadius = 7, kZoom = 8, kPitch = 9;

QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 5 + y) & 0xff, (y * 7 + x / 3) & 0xff, (x ^ y) & 0xff);
    }
    return img;
}

QString loupeWindow() {
    return xdotool({"search", "--onlyvisible", "--name", "^放大镜 - Kolvane$"})
        .section(QLatin1Char('\n'), 0, 0);
}

QString xy(int v) {
    return QString::number(v);
}

void moveSync(QPoint p) {
    xdotool({"mousemove", xy(p.x()), xy(p.y())});
    const QString want = QStringLiteral("x:%1 y:%2 ").arg(p.x()).arg(p.y());
    waitFor([&] { return xdotool({"getmouselocation"}).startsWith(want); }, 2000);
}

QString html(QRgb c) {
    return QStringLiteral("#%1%2%3")
        .arg(qRed(c), 2, 16, QLatin1Char('0'))
        .arg(qGreen(c), 2, 16, QLatin1Char('0'))
        .arg(qBlue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

// Cells that do not show their screen pixel, as "column,row" texts.
QStringList wrongCells(const QImage& screen, const QRect& loupe, QPoint hot) {
    QStringList wrong;
    const QRect onScreen(QPoint(0, 0), screen.size());
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            const QPoint source = hot + QPoint(column - kRadius, row - kRadius);
            if (!onScreen.contains(source)) continue;
            const QRgb want = screen.pixel(source);
            const QPoint cell = loupe.topLeft() + QPoint(column * kPitch + 1, row * kPitch + 1);
            bool same = true;
            for (int y = 0; y < kZoom && same; ++y)
                for (int x = 0; x < kZoom && same; ++x)
                    same = screen.pixel(cell + QPoint(x, y)) == want;
            if (!same) wrong << QStringLiteral("%1,%2").arg(column).arg(row);
        }
    }
    return wrong;
}

} // namespace

class TestLoupeDropper : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    Program program_;
    QRect mainArea_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QString file = dir_.filePath("background.bmp");
        QVERIFY(pattern(grabScreen().size()).save(file));
        run("display", {"-window", "root", file});
        QVERIFY(program_.start());
        const QString main = program_.mainWindow();
        QVERIFY(!main.isEmpty());
        program_.click(kColourTab);
        QTest::qWait(300);
        mainArea_ = windowGeometry(main);
    }

    void cleanupTestCase() {
        program_.stop();
        run("display", {"-window", "root", "xc:black"});
    }

    void loupeShowsThePixelsRoundThePointer_data() {
        QTest::addColumn<QPoint>("via"); // a stop on the way, with the loupe shown there
        QTest::addColumn<QPoint>("hot");
        const QPoint none(-1, -1);
        QTest::newRow("open desktop") << none << QPoint(300, 800);
        QTest::newRow("right edge") << none << QPoint(1917, 300);
        QTest::newRow("bottom-right corner") << none << QPoint(1919, 1079);
        QTest::newRow("top edge") << none << QPoint(1500, 1);
        // One jump from a stop to where the loupe stood at that stop.
        QTest::newRow("onto the loupe") << QPoint(200, 600) << QPoint(270, 680);
    }

    void loupeShowsThePixelsRoundThePointer() {
        QFETCH(QPoint, via);
        QFETCH(QPoint, hot);
        program_.moveTo(kDropperBox);
        const QImage untouched = grabScreen();
        xdotool({"mousedown", "1"});
        const QPoint from = program_.toScreen(kDropperBox);
        for (int step = 1; step <= 4; ++step)
            moveSync(from + ((via.x() < 0 ? hot : via) - from) * step / 4);
        QTest::qWait(150);
        if (via.x() >= 0) {
            const QRect before = windowGeometry(loupeWindow());
            QVERIFY2(before.contains(hot), "the jump does not land on the loupe");
            moveSync(hot);
        }
        QString id;
        QVERIFY2(waitFor([&] { return !(id = loupeWindow()).isEmpty(); }), "no loupe");
        QTest::qWait(200);
        const QRect loupe = windowGeometry(id);
        const QImage screen = grabScreen();
        const QRect source(hot - QPoint(kRadius, kRadius), QSize(kCells, kCells));
        // The main window shows each picked colour, so under it the screen changes.
        QVERIFY2(!source.intersects(mainArea_), "the point lies on the main window");

        QVERIFY(QRect(QPoint(0, 0), screen.size()).contains(loupe));
        QVERIFY(!loupe.intersects(source));
        const QStringList wrong = wrongCells(screen, loupe, hot);
        if (!wrong.isEmpty() && qEnvironmentVariableIsSet("KOLVANE_KEEP_FAILURES"))
            screen.save(QStringLiteral("/tmp/loupe-%1.png").arg(QTest::currentDataTag()));
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));
        const QRgb centre =
            screen.pixel(loupe.topLeft() + QPoint(kRadius * kPitch + 4, kRadius * kPitch + 4));

        xdotool({"mouseup", "1"});
        // The first frame after the release has no loupe in it.
        QVERIFY(waitFor([&] { return loupeWindow().isEmpty(); }, 1000));
        const QImage after = grabScreen();
        // The main window shows the picked colour by now; elsewhere nothing changed.
        if (!loupe.intersects(mainArea_)) QCOMPARE(after.copy(loupe), untouched.copy(loupe));

        // The colour picked is the one the loupe's centre showed.
        program_.doubleClick(kHtmlBox);
        waitFor([&] { return clipboardText() == html(centre); }, 3000);
        QCOMPARE(clipboardText(), html(centre));
        QCOMPARE(centre, screen.pixel(hot));
    }
};

QTEST_MAIN(TestLoupeDropper)
#include "test_loupe_dropper.moc"
