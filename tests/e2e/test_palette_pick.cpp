// Pressing on the wheel or a palette picks exactly the colour the screen shows
// there; the separators and margins are white.
#include "e2e/support/desktop.h"

#include <QtTest>

namespace {

// Main window points, in its own pixels (the designed twips divided by 15).
const QPoint kWheelBox(146, 156); // ImgCLR's top left
const QPoint kHtmlBox(512, 158);  // TxtClrVal 0
const QPoint kCommand[4] = {{70, 158}, {70, 174}, {70, 190}, {70, 206}};

} // namespace

class TestPalettePick : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void press_data();
    void press();
    void saturationThumbDraggedToZeroGreysTheWheel();

private:
    e2e::Program program_;
};

void TestPalettePick::initTestCase() {
    QVERIFY(program_.start());
    QVERIFY(!program_.mainWindow().isEmpty());
}

void TestPalettePick::cleanupTestCase() {
    program_.stop();
}

void TestPalettePick::press_data() {
    // Rows alternate between white and a colour, so a missed pick cannot pass.
    QTest::addColumn<int>("command"); // 0 wheel, 1 web, 2 computer, 3 gradient
    QTest::addColumn<QPoint>("at");   // in the box
    QTest::addColumn<QString>("html");
    QTest::newRow("web first cell") << 1 << QPoint(9, 9) << "#F0F8FF";
    QTest::newRow("web column separator") << 1 << QPoint(17, 9) << "#FFFFFF";
    QTest::newRow("web DarkSeaGreen") << 1 << QPoint(148, 37) << "#8FBC8B";
    QTest::newRow("web empty last cells") << 1 << QPoint(145, 162) << "#FFFFFF";
    QTest::newRow("computer red") << 2 << QPoint(146, 19) << "#FF0000";
    QTest::newRow("computer row separator") << 2 << QPoint(6, 13) << "#FFFFFF";
    QTest::newRow("computer black") << 2 << QPoint(88, 164) << "#000000";
    QTest::newRow("gradient margin") << 3 << QPoint(0, 0) << "#FFFFFF";
    QTest::newRow("gradient 00CC00") << 3 << QPoint(27, 8) << "#00CC00";
    QTest::newRow("wheel centre cell") << 0 << QPoint(93, 84) << "#FFFFFF";
    QTest::newRow("wheel right corner") << 0 << QPoint(177, 84) << "#D07417";
    QTest::newRow("wheel background") << 0 << QPoint(2, 2) << "#FFFFFF";
    QTest::newRow("wheel top middle") << 0 << QPoint(93, 12) << "#27E827";
}

void TestPalettePick::press() {
    QFETCH(int, command);
    QFETCH(QPoint, at);
    QFETCH(QString, html);
    program_.click(kCommand[command]);
    // Wait for the picture to be on the screen before pressing on it.
    const QPoint screenAt = program_.toScreen(kWheelBox + at);
    const QRgb expected = QColor(html).rgb();
    QVERIFY2(e2e::waitFor([&] { return e2e::grabScreen().pixel(screenAt) == expected; }, 5000),
             qPrintable(e2e::describeScreenAt(screenAt)));

    program_.click(kWheelBox + at);
    QTest::qWait(150);
    program_.doubleClick(kHtmlBox);
    e2e::waitFor([&] { return e2e::clipboardText() == html; }, 5000);
    QCOMPARE(e2e::clipboardText(), html);
}

void TestPalettePick::saturationThumbDraggedToZeroGreysTheWheel() {
    // The thumb of "饱和度" rests in the middle of its track; dragged past the left
    // end it reaches 0, and every step re-renders the wheel while the drag runs.
    const QPoint thumb(488, 324), pastLeft(380, 324);
    program_.click(kCommand[0]);
    QTest::qWait(200);
    program_.moveTo(thumb);
    e2e::xdotool({"mousedown", "1"});
    for (int step = 1; step <= 6; ++step) {
        const QPoint p = program_.toScreen(thumb + (pastLeft - thumb) * step / 6);
        e2e::xdotool({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
        QTest::qWait(30);
    }
    e2e::xdotool({"mouseup", "1"});
    // The right corner cell D07417 as its grey luminance.
    const QPoint corner = program_.toScreen(kWheelBox + QPoint(177, 84));
    const QRgb grey = qRgb(133, 133, 133);
    QVERIFY2(e2e::waitFor([&] { return e2e::grabScreen().pixel(corner) == grey; }, 5000),
             qPrintable(e2e::describeScreenAt(corner)));
    program_.click(kWheelBox + QPoint(177, 84));
    QTest::qWait(150);
    program_.doubleClick(kHtmlBox);
    e2e::waitFor([&] { return e2e::clipboardText() == QLatin1String("#858585"); }, 5000);
    QCOMPARE(e2e::clipboardText(), QStringLiteral("#858585"));
}

QTEST_MAIN(TestPalettePick)
#include "test_palette_pick.moc"
