// Byte clamping, the Y/U/V copy of the wheel and its re-rendering by the hue and
// saturation sliders.
#include "colour/wheel.h"
#include "colour/wheelbuffers.h"

#include "platform/units.h"

#include <QtTest>
#include <cmath>
#include <limits>

using namespace kv;

class TestWheelYuv : public QObject {
    Q_OBJECT
private slots:
    void clampByte_data();
    void clampByte();
    void toYuv_data();
    void toYuv();
    void factors_data();
    void factors();
    void captions_data();
    void captions();
    void renderClampsEachChannel_data();
    void renderClampsEachChannel();
    void greyAtSaturationZero();
    void hueEndsKeepOneChromaAxis_data();
    void hueEndsKeepOneChromaAxis();
    void restoredAt128();
    void everyColourConvertsAsTheFormula();
    void everyYuvRendersAsTheFormula_data();
    void everyYuvRendersAsTheFormula();
    void buildResetsFactorsAndRereads();
    void writeRefusesAnotherPicture();
    void nullPictureBuildsNothing();
};

void TestWheelYuv::clampByte_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("byte");
    QTest::newRow("above range") << 300.0f << 255;
    QTest::newRow("below range") << -7.0f << 0;
    QTest::newRow("half to even down") << 254.5f << 254;
    QTest::newRow("just above 255") << 255.5f << 255;
    QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0;
    QTest::newRow("minus infinity") << -std::numeric_limits<float>::infinity() << 0;
    QTest::newRow("plus infinity") << std::numeric_limits<float>::infinity() << 255;
    QTest::newRow("half to even up") << 1.5f << 2;
    QTest::newRow("zero half") << 0.5f << 0;
    QTest::newRow("tiny negative") << -0.25f << 0;
    QTest::newRow("top") << 255.0f << 255;
}

void TestWheelYuv::clampByte() {
    QFETCH(float, value);
    QFETCH(int, byte);
    QCOMPARE(int(ClampByte(value)), byte);
}

void TestWheelYuv::toYuv_data() {
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::newRow("white") << 255 << 255 << 255 << 255 << 128 << 128;
    QTest::newRow("black") << 0 << 0 << 0 << 0 << 128 << 128;
    QTest::newRow("red, V clamped") << 255 << 0 << 0 << 76 << 91 << 255;
    QTest::newRow("blue") << 0 << 0 << 255 << 29 << 239 << 102;
    QTest::newRow("green, V clamped low") << 0 << 255 << 0 << 150 << 54 << 0;
}

void TestWheelYuv::toYuv() {
    QFETCH(int, r);
    QFETCH(int, g);
    QFETCH(int, b);
    const std::uint8_t bgrx[4] = {std::uint8_t(b), std::uint8_t(g), std::uint8_t(r), 0xFF};
    std::uint8_t yuv[4] = {1, 2, 3, 4};
    ConvertToYuv(bgrx, yuv, 1);
    QTEST(int(yuv[2]), "y");
    QTEST(int(yuv[1]), "u");
    QTEST(int(yuv[0]), "v");
    QCOMPARE(int(yuv[3]), 0);
}

void TestWheelYuv::factors_data() {
    QTest::addColumn<int>("hslf");
    QTest::addColumn<int>("hsll");
    QTest::addColumn<float>("saturation");
    QTest::addColumn<float>("u");
    QTest::addColumn<float>("v");
    QTest::newRow("both middle") << 128 << 128 << 1.0f << 1.0f << 1.0f;
    QTest::newRow("grey, only U") << 0 << 0 << 0.0f << 1.0f << 0.0f;
    QTest::newRow("double, only V") << 256 << 256 << 2.0f << 0.0f << 1.0f;
    QTest::newRow("quarter V gone") << 64 << 96 << 0.5f << 1.0f << 0.75f;
    QTest::newRow("quarter U gone") << 192 << 160 << 1.5f << 0.75f << 1.0f;
}

void TestWheelYuv::factors() {
    QFETCH(int, hslf);
    QFETCH(int, hsll);
    WheelFactors f;
    f.saturationFactor = SaturationFactorFor(hslf);
    SetHueFactors(hsll, f);
    QTEST(f.saturationFactor, "saturation");
    QTEST(f.uFactor, "u");
    QTEST(f.vFactor, "v");
}

void TestWheelYuv::captions_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("saturation");
    QTest::addColumn<QString>("hue");
    QTest::newRow("0") << 0 << QStringLiteral("饱和度:    0") << QStringLiteral("色调:      -128");
    QTest::newRow("1") << 1 << QStringLiteral("饱和度:    1") << QStringLiteral("色调:      -127");
    QTest::newRow("128") << 128 << QStringLiteral("饱和度:    128")
                         << QStringLiteral("色调:      0");
    QTest::newRow("256") << 256 << QStringLiteral("饱和度:    256")
                         << QStringLiteral("色调:      128");
}

void TestWheelYuv::captions() {
    QFETCH(int, value);
    QTEST(SaturationCaption(value), "saturation");
    QTEST(HueCaption(value), "hue");
}

void TestWheelYuv::renderClampsEachChannel_data() {
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::addColumn<int>("r");
    QTest::addColumn<int>("g");
    QTest::addColumn<int>("b");
    // Y 255 with V +127: red computes to 400 and is written as 255.
    QTest::newRow("red over") << 255 << 128 << 255 << 255 << 181 << 255;
    // Y 0 with U -4: blue computes to -8 and is written as 0.
    QTest::newRow("blue under") << 0 << 124 << 128 << 0 << 2 << 0;
    QTest::newRow("grey stays") << 77 << 128 << 128 << 77 << 77 << 77;
}

void TestWheelYuv::renderClampsEachChannel() {
    QFETCH(int, y);
    QFETCH(int, u);
    QFETCH(int, v);
    const std::uint8_t yuv[4] = {std::uint8_t(v), std::uint8_t(u), std::uint8_t(y), 0};
    std::uint8_t out[4] = {9, 9, 9, 0xAB};
    RenderFromYuv(yuv, out, 1, WheelFactors{});
    QTEST(int(out[2]), "r");
    QTEST(int(out[1]), "g");
    QTEST(int(out[0]), "b");
    QCOMPARE(int(out[3]), 0xAB); // the fourth byte is never written
}

void TestWheelYuv::greyAtSaturationZero() {
    WheelBuffers w;
    w.Build(wheel::MakePicture());
    w.factors.saturationFactor = SaturationFactorFor(0);
    w.Render();
    for (std::size_t i = 0; i < w.wheelPixels.size(); i += 4) {
        QCOMPARE(w.wheelPixels[i], w.wheelYuv[i + 2]);
        QCOMPARE(w.wheelPixels[i + 1], w.wheelYuv[i + 2]);
        QCOMPARE(w.wheelPixels[i + 2], w.wheelYuv[i + 2]);
    }
}

void TestWheelYuv::hueEndsKeepOneChromaAxis_data() {
    QTest::addColumn<int>("hsll");
    QTest::newRow("U only") << 0;
    QTest::newRow("V only") << 256;
}

void TestWheelYuv::hueEndsKeepOneChromaAxis() {
    QFETCH(int, hsll);
    WheelBuffers w;
    w.Build(wheel::MakePicture());
    SetHueFactors(hsll, w.factors);
    w.Render();
    // Without V, red equals luma; without U, blue equals luma.
    const int channel = hsll == 0 ? 2 : 0;
    for (std::size_t i = 0; i < w.wheelPixels.size(); i += 4) {
        const int luma = w.wheelYuv[i + 2];
        QCOMPARE(int(w.wheelPixels[i + channel]), luma);
    }
}

// The formulas written out plainly with the shared rounding helper; the buffer code
// takes shortcuts for speed and must agree with them on every input.
namespace {
std::uint8_t clampPlain(double x) {
    return ClampByte(float(x));
}
} // namespace

void TestWheelYuv::everyColourConvertsAsTheFormula() {
    const double yr = 0.299f, yg = 0.587f, yb = 0.114f, ur = -0.147f, ug = -0.289f, ub = 0.437f,
                 vr = 0.615f, vg = -0.515f, vb = -0.100f;
    std::vector<std::uint8_t> bgrx(256 * 256 * 4), yuv(bgrx.size());
    for (int r = 0; r < 256; ++r) {
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                std::uint8_t* p = &bgrx[(g * 256 + b) * 4];
                p[0] = std::uint8_t(b), p[1] = std::uint8_t(g), p[2] = std::uint8_t(r);
            }
        ConvertToYuv(bgrx.data(), yuv.data(), 256 * 256);
        for (int g = 0; g < 256; ++g)
            for (int b = 0; b < 256; ++b) {
                const std::uint8_t* q = &yuv[(g * 256 + b) * 4];
                const auto y = clampPlain(nearInt(yr * r + yg * g + yb * b));
                const auto u = clampPlain(nearInt(ur * r + ug * g + ub * b + 128));
                const auto v = clampPlain(nearInt(vr * r + vg * g + vb * b + 128));
                if (q[2] != y || q[1] != u || q[0] != v)
                    QFAIL(qPrintable(QStringLiteral("rgb %1,%2,%3").arg(r).arg(g).arg(b)));
            }
    }
}

void TestWheelYuv::everyYuvRendersAsTheFormula_data() {
    QTest::addColumn<int>("hslf");
    QTest::addColumn<int>("hsll");
    QTest::newRow("as built") << 128 << 128;
    QTest::newRow("odd factors") << 77 << 201;
    QTest::newRow("strong, V fading") << 256 << 31;
}

void TestWheelYuv::everyYuvRendersAsTheFormula() {
    QFETCH(int, hslf);
    QFETCH(int, hsll);
    WheelFactors f;
    f.saturationFactor = SaturationFactorFor(hslf);
    SetHueFactors(hsll, f);
    const double rv = 1.14f, gu = -0.394f, gv = -0.581f, bu = 2.028f;
    std::vector<std::uint8_t> yuv(256 * 256 * 4), out(yuv.size());
    for (int y = 0; y < 256; y += 3) { // every third luma keeps this quick
        for (int u = 0; u < 256; ++u)
            for (int v = 0; v < 256; ++v) {
                std::uint8_t* p = &yuv[(u * 256 + v) * 4];
                p[0] = std::uint8_t(v), p[1] = std::uint8_t(u), p[2] = std::uint8_t(y);
            }
        RenderFromYuv(yuv.data(), out.data(), 256 * 256, f);
        for (int u = 0; u < 256; ++u)
            for (int v = 0; v < 256; ++v) {
                const int u2 = nearInt(double(f.saturationFactor) * (u - 128) * f.uFactor);
                const int v2 = nearInt(double(f.saturationFactor) * (v - 128) * f.vFactor);
                const std::uint8_t* q = &out[(u * 256 + v) * 4];
                if (q[2] != clampPlain(nearInt(rv * v2 + y)) ||
                    q[1] != clampPlain(nearInt(gu * u2 + y + gv * v2)) ||
                    q[0] != clampPlain(nearInt(bu * u2 + y)))
                    QFAIL(qPrintable(QStringLiteral("yuv %1,%2,%3").arg(y).arg(u).arg(v)));
            }
    }
}

void TestWheelYuv::restoredAt128() {
    const QImage original = wheel::MakePicture();
    WheelBuffers w;
    w.Build(original);
    w.Render();
    const auto atMiddle = w.wheelPixels;
    // Close to the original: only the rounding of the round trip differs.
    int worst = 0;
    for (int y = 0; y < original.height(); ++y)
        for (int x = 0; x < original.width(); ++x) {
            const QRgb p = original.pixel(x, y);
            const std::size_t i = (std::size_t(y) * original.width() + x) * 4;
            worst =
                std::max({worst, std::abs(qRed(p) - atMiddle[i + 2]),
                          std::abs(qGreen(p) - atMiddle[i + 1]), std::abs(qBlue(p) - atMiddle[i])});
        }
    QVERIFY2(worst <= 2, qPrintable(QString::number(worst)));
    // Adjustments never accumulate: grey, then back to 128, is the same picture.
    w.factors.saturationFactor = 0.0f;
    w.Render();
    QVERIFY(w.wheelPixels != atMiddle);
    w.factors.saturationFactor = SaturationFactorFor(128);
    w.Render();
    QCOMPARE(w.wheelPixels, atMiddle);
}

void TestWheelYuv::buildResetsFactorsAndRereads() {
    QImage picture = wheel::MakePicture();
    WheelBuffers w;
    w.Build(picture);
    QCOMPARE(w.wheelWidth, 187);
    QCOMPARE(w.wheelHeight, 169);
    QCOMPARE(w.wheelHeader.height, -169);
    QCOMPARE(int(w.wheelPixels.size()), 187 * 169 * 4);
    w.factors.saturationFactor = 0.0f;
    w.Render();
    QVERIFY(w.WriteTo(picture));
    QCOMPARE(picture.pixel(177, 84),
             qRgb(w.wheelPixels[(84 * 187 + 177) * 4 + 2], w.wheelPixels[(84 * 187 + 177) * 4 + 1],
                  w.wheelPixels[(84 * 187 + 177) * 4]));
    // The grey picture becomes the new base, and the factors start over.
    w.Build(picture);
    QCOMPARE(w.factors.saturationFactor, 1.0f);
    QCOMPARE(w.factors.uFactor, 1.0f);
    QCOMPARE(w.factors.vFactor, 1.0f);
    const QRgb grey = picture.pixel(177, 84);
    QCOMPARE(qRed(grey), qBlue(grey));
    w.Render();
    QVERIFY(w.WriteTo(picture));
    QCOMPARE(picture.pixel(177, 84), grey);
}

void TestWheelYuv::writeRefusesAnotherPicture() {
    WheelBuffers w;
    w.Build(wheel::MakePicture());
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::black);
    QVERIFY(!w.WriteTo(other));
    QCOMPARE(other.pixel(5, 5), qRgb(0, 0, 0));
}

void TestWheelYuv::nullPictureBuildsNothing() {
    WheelBuffers w;
    w.Build(QImage());
    QVERIFY(!w.built());
    w.Render(); // nothing to do, and no fault
    QImage picture = wheel::MakePicture();
    QVERIFY(!w.WriteTo(picture));
}

QTEST_APPLESS_MAIN(TestWheelYuv)
#include "test_wheel_yuv.moc"
