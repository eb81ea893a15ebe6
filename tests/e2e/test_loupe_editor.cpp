// The region editor's loupe and keys, on the real screen: the loupe shows the frozen
// pixels while a selection is dragged and is gone at the release; arrows finish a
// drag on an exact pixel and move the finished selection up to the desktop's edge;
// C copies the colour under the pointer; Enter finishes with no loupe in the cut.
#include "e2e/support/desktop.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace e2e;

namespace {

const QPoint kRegionCommand(80, 278);
constexpr int kCells = 15, kRadius = 7, kZoom = 8, kPitch = 9;

QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 3 + y) & 0xff, (y * 5 + x / 2) & 0xff, (x ^ (y * 3)) & 0xff);
    }
    return img;
}

QString visible(const QString& name) {
    return xdotool({"search", "--onlyvisible", "--name", name}).section(QLatin1Char('\n'), 0, 0);
}

QString xy(int v) {
    return QString::number(v);
}

void key(const QString& k) {
    xdotool({"key", k});
    QTest::qWait(60);
}

QString html(QRgb c) {
    return QStringLiteral("#%1%2%3")
        .arg(qRed(c), 2, 16, QLatin1Char('0'))
        .arg(qGreen(c), 2, 16, QLatin1Char('0'))
        .arg(qBlue(c), 2, 16, QLatin1Char('0'))
        .toUpper();
}

bool samePixels(const QImage& a, const QImage& b) {
    return !a.isNull() && a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestLoupeEditor : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    Program program_;
    QImage desktop_;
    QString editor_;

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        desktop_ = pattern(grabScreen().size());
        const QString file = dir_.filePath("background.bmp");
        QVERIFY(desktop_.save(file));
        run("display", {"-window", "root", file});
        QVERIFY(program_.start());
        QVERIFY(!program_.mainWindow().isEmpty());
        program_.click(kRegionCommand);
        QVERIFY(waitFor([&] { return !(editor_ = visible("^Kolvane ")).isEmpty(); }));
        QVERIFY(waitFor([] { return visible("^Kolvane$").isEmpty(); }));
        xdotool({"windowactivate", "--sync", editor_});
        QTest::qWait(300);
    }

    void cleanupTestCase() {
        program_.stop();
        run("display", {"-window", "root", "xc:black"});
    }

    // Dragged out with the mouse, finished with arrow keys while the button is held.
    void loupeWhileDraggingAndExactEndByKeys() {
        xdotool({"mousemove", "--sync", "300", "200", "mousedown", "1"});
        xdotool({"mousemove", "--sync", "360", "260"});
        xdotool({"mousemove", "--sync", "400", "300"});
        QString id;
        QVERIFY2(waitFor([&] { return !(id = visible("^放大镜 - Kolvane$")).isEmpty(); }),
                 "no loupe while dragging");
        QTest::qWait(200);
        const QRect loupe = windowGeometry(id);
        const QImage screen = grabScreen();
        const QPoint hot(400, 300);
        QVERIFY(!loupe.intersects(QRect(hot - QPoint(kRadius, kRadius), QSize(kCells, kCells))));
        QStringList wrong;
        for (int row = 0; row < kCells; ++row)
            for (int column = 0; column < kCells; ++column) {
                const QRgb want = desktop_.pixel(hot + QPoint(column - kRadius, row - kRadius));
                const QPoint cell = loupe.topLeft() + QPoint(column * kPitch + 1, row * kPitch + 1);
                for (int i = 0; i < kZoom * kZoom; ++i)
                    if (screen.pixel(cell + QPoint(i % kZoom, i / kZoom)) != want) {
                        wrong << QStringLiteral("%1,%2").arg(column).arg(row);
                        break;
                    }
            }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(' ')));

        for (int i = 0; i < 3; ++i)
            key("Right");
        key("shift+Down");
        key("Up");
        QVERIFY(
            waitFor([] { return xdotool({"getmouselocation"}).startsWith("x:403 y:309 "); }, 2000));
        QTest::qWait(150);
        xdotool({"mouseup", "1"});
        // No loupe in the first frame after the release.
        QVERIFY(waitFor([] { return visible("^放大镜 - Kolvane$").isEmpty(); }, 1000));
        const QImage after = grabScreen();
        QCOMPARE(after.copy(loupe), desktop_.copy(loupe));
    }

    // C and Shift+C over a known pixel.
    void copiesTheColourUnderThePointer() {
        const QPoint at(1500, 700);
        xdotool({"mousemove", "--sync", xy(at.x()), xy(at.y())});
        key("c");
        QVERIFY(waitFor([&] { return clipboardText() == html(desktop_.pixel(at)); }, 3000));
        key("shift+c");
        const QRgb c = desktop_.pixel(at);
        const QString rgb =
            QStringLiteral("RGB(%1,%2,%3)").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
        QVERIFY(waitFor([&] { return clipboardText() == rgb; }, 3000));
    }

    // Arrows move the finished selection; at the desktop's left edge it stops. Enter
    // finishes: the cut is exactly the frozen pixels, no loupe, no overlay.
    void arrowsMoveTheSelectionAndEnterFinishes() {
        key("Right");
        for (int i = 0; i < 32; ++i)
            key("shift+Left");
        key("Return");
        QVERIFY(waitFor([] { return !visible("^Kolvane$").isEmpty(); }));
        const QImage cut = clipboardImage();
        QCOMPARE(cut.size(), QSize(103, 109));
        QVERIFY(samePixels(cut, desktop_.copy(QRect(0, 200, 103, 109))));
    }
};

QTEST_MAIN(TestLoupeEditor)
#include "test_loupe_editor.moc"
