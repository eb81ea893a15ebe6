// A picked colour copied as OKLCH from the preview's menu, as a user does it: one
// right click on the preview, the item chosen with the keyboard, the text pasted
// elsewhere (read from the X clipboard).
#include "e2e/support/desktop.h"

#include <QtTest>

namespace {

// Main window points, in its own pixels (the designed twips divided by 15).
const QPoint kWheelBox(146, 156);  // ImgCLR's top left
const QPoint kWebPalette(70, 174); // "网页色"
const QPoint kPreview(384, 302);   // the middle of PicCLR

} // namespace

class TestColourMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(program_.start());
        QVERIFY(!program_.mainWindow().isEmpty());
    }
    void cleanupTestCase() { program_.stop(); }

    void pickedColourCopiedAsOklch() {
        program_.click(kWebPalette);
        const QPoint darkSeaGreen = kWheelBox + QPoint(148, 37);
        const QPoint screenAt = program_.toScreen(darkSeaGreen);
        QVERIFY(e2e::waitFor(
            [&] { return e2e::grabScreen().pixel(screenAt) == qRgb(0x8F, 0xBC, 0x8B); }, 5000));
        program_.click(darkSeaGreen);
        QTest::qWait(150);

        program_.click(kPreview, 3);
        QTest::qWait(300); // the menu maps
        // hsl, hsv, cmyk, lab, oklch: the fifth item.
        for (int i = 0; i < 5; ++i)
            e2e::xdotool({"key", "Down"});
        e2e::xdotool({"key", "Return"});
        const QString expected = QStringLiteral("oklch(75.00% 0.0841 142.6)");
        e2e::waitFor([&] { return e2e::clipboardText() == expected; }, 5000);
        QCOMPARE(e2e::clipboardText(), expected);
    }

private:
    e2e::Program program_;
};

QTEST_MAIN(TestColourMenu)
#include "test_colour_menu.moc"
