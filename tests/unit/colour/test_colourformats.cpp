// The further notations against reference values worked out apart from this code:
// exact fractions for hsl, hsv, cmyk and vec3, and 50-digit decimals through CSS
// Color 4's conversion matrices for lab and oklch (no value lies within 1e-6 of a
// rounding boundary at its printed digits).
#include "colour/colourformats.h"

#include <QTest>

namespace {
void row(const char* name, int r, int g, int b, const QStringList& texts) {
    QTest::newRow(name) << r << g << b << texts;
}
} // namespace

class TestColourFormats : public QObject {
    Q_OBJECT
private slots:
    void table_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<QStringList>("texts"); // hsl hsv cmyk lab oklch vec3 rgb
        // clang-format off
        row("black", 0, 0, 0, {"hsl(0, 0%, 0%)", "hsv(0, 0%, 0%)", "cmyk(0%, 0%, 0%, 100%)", "lab(0.00% 0.00 0.00)", "oklch(0.00% 0.0000 0.0)", "vec3(0.000, 0.000, 0.000)", "rgb(0 0 0)"});
        row("white", 255, 255, 255, {"hsl(0, 0%, 100%)", "hsv(0, 0%, 100%)", "cmyk(0%, 0%, 0%, 0%)", "lab(100.00% 0.00 0.00)", "oklch(100.00% 0.0000 0.0)", "vec3(1.000, 1.000, 1.000)", "rgb(255 255 255)"});
        row("red", 255, 0, 0, {"hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "cmyk(0%, 100%, 100%, 0%)", "lab(54.29% 80.80 69.89)", "oklch(62.80% 0.2577 29.2)", "vec3(1.000, 0.000, 0.000)", "rgb(255 0 0)"});
        row("green", 0, 255, 0, {"hsl(120, 100%, 50%)", "hsv(120, 100%, 100%)", "cmyk(100%, 0%, 100%, 0%)", "lab(87.82% -79.27 80.99)", "oklch(86.64% 0.2948 142.5)", "vec3(0.000, 1.000, 0.000)", "rgb(0 255 0)"});
        row("blue", 0, 0, 255, {"hsl(240, 100%, 50%)", "hsv(240, 100%, 100%)", "cmyk(100%, 100%, 0%, 0%)", "lab(29.57% 68.29 -112.03)", "oklch(45.20% 0.3132 264.1)", "vec3(0.000, 0.000, 1.000)", "rgb(0 0 255)"});
        row("DodgerBlue", 30, 144, 255, {"hsl(210, 100%, 56%)", "hsv(210, 88%, 100%)", "cmyk(88%, 44%, 0%, 0%)", "lab(58.36% 0.89 -64.78)", "oklch(65.20% 0.1901 253.2)", "vec3(0.118, 0.565, 1.000)", "rgb(30 144 255)"});
        row("mid grey: no hue, no sign on zero", 128, 128, 128, {"hsl(0, 0%, 50%)", "hsv(0, 0%, 50%)", "cmyk(0%, 0%, 0%, 50%)", "lab(53.59% 0.00 0.00)", "oklch(59.99% 0.0000 0.0)", "vec3(0.502, 0.502, 0.502)", "rgb(128 128 128)"});
        row("hue 359.8 wraps to 0", 255, 0, 1, {"hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "cmyk(0%, 100%, 100%, 0%)", "lab(54.29% 80.81 69.63)", "oklch(62.80% 0.2576 29.2)", "vec3(1.000, 0.000, 0.004)", "rgb(255 0 1)"});
        row("hue 0.2", 255, 1, 0, {"hsl(0, 100%, 50%)", "hsv(0, 100%, 100%)", "cmyk(0%, 100%, 100%, 0%)", "lab(54.31% 80.74 69.89)", "oklch(62.81% 0.2575 29.3)", "vec3(1.000, 0.004, 0.000)", "rgb(255 1 0)"});
        row("hue 0.5 rounds away from zero", 120, 1, 0, {"hsl(1, 100%, 24%)", "hsv(1, 100%, 47%)", "cmyk(0%, 99%, 100%, 53%)", "lab(24.32% 46.08 36.95)", "oklch(36.01% 0.1471 29.4)", "vec3(0.471, 0.004, 0.000)", "rgb(120 1 0)"});
        row("saturation and inks of 0.5% round up", 200, 199, 199, {"hsl(0, 1%, 78%)", "hsv(0, 1%, 78%)", "cmyk(0%, 1%, 1%, 22%)", "lab(80.32% 0.36 0.13)", "oklch(83.05% 0.0011 17.2)", "vec3(0.784, 0.780, 0.780)", "rgb(200 199 199)"});
        row("cyan", 0, 255, 255, {"hsl(180, 100%, 50%)", "hsv(180, 100%, 100%)", "cmyk(100%, 0%, 0%, 0%)", "lab(90.67% -50.66 -14.96)", "oklch(90.54% 0.1546 194.8)", "vec3(0.000, 1.000, 1.000)", "rgb(0 255 255)"});
        row("yellow", 255, 255, 0, {"hsl(60, 100%, 50%)", "hsv(60, 100%, 100%)", "cmyk(0%, 0%, 100%, 0%)", "lab(97.61% -15.75 93.39)", "oklch(96.80% 0.2110 109.8)", "vec3(1.000, 1.000, 0.000)", "rgb(255 255 0)"});
        row("magenta", 255, 0, 255, {"hsl(300, 100%, 50%)", "hsv(300, 100%, 100%)", "cmyk(0%, 100%, 0%, 0%)", "lab(60.17% 93.54 -60.50)", "oklch(70.17% 0.3225 328.4)", "vec3(1.000, 0.000, 1.000)", "rgb(255 0 255)"});
        row("oklch hue 359.95 wraps to 0.0", 37, 18, 24, {"hsl(341, 35%, 11%)", "hsv(341, 51%, 15%)", "cmyk(0%, 51%, 35%, 85%)", "lab(8.13% 10.88 0.12)", "oklch(21.16% 0.0329 0.0)", "vec3(0.145, 0.071, 0.094)", "rgb(37 18 24)"});
        // clang-format on
    }
    void table() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(QStringList, texts);
        QCOMPARE(int(kv::kColourFormats.size()), texts.size());
        for (size_t i = 0; i < kv::kColourFormats.size(); ++i)
            QCOMPARE(kv::FormatColour(kv::kColourFormats[i], r, g, b), texts[int(i)]);
    }
};

QTEST_APPLESS_MAIN(TestColourFormats)
#include "test_colourformats.moc"
