// The scale the main window is drawn at, from what a desktop sets: the Qt scale
// variables, the font resolution and the monitor it opens on.
#include "platform/desktopscale.h"

#include <QtTest>

using namespace kv;

class TestDesktopScale : public QObject {
    Q_OBJECT
private slots:
    void chooseScale_data() {
        QTest::addColumn<QString>("scaleFactor");
        QTest::addColumn<QString>("screenFactors");
        QTest::addColumn<QString>("fontDpi");
        QTest::addColumn<int>("xftDpi");
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QSize>("screenSize");
        QTest::addColumn<double>("scale");
        const QSize uhd(3840, 2160), fhd(1920, 1080);
        // clang-format off
        QTest::newRow("nothing set") << "" << "" << "" << 0 << "DP-1" << fhd << 1.0;
        QTest::newRow("Xft.dpi 96") << "" << "" << "" << 96 << "DP-1" << fhd << 1.0;
        QTest::newRow("Xft.dpi 192") << "" << "" << "" << 192 << "DP-1" << uhd << 2.0;
        QTest::newRow("Xft.dpi 144") << "" << "" << "" << 144 << "DP-1" << uhd << 1.5;
        QTest::newRow("Xft.dpi 100 rounds to 1") << "" << "" << "" << 100 << "" << uhd << 1.0;
        QTest::newRow("Xft.dpi 120") << "" << "" << "" << 120 << "" << uhd << 1.25;
        QTest::newRow("Xft.dpi 170 rounds to 1.75") << "" << "" << "" << 170 << "" << uhd << 1.75;
        QTest::newRow("Xft.dpi 72 never shrinks") << "" << "" << "" << 72 << "" << fhd << 1.0;
        QTest::newRow("QT_FONT_DPI before Xft.dpi") << "" << "" << "192" << 96 << "" << uhd << 2.0;
        QTest::newRow("QT_SCALE_FACTOR, dpi 96") << "2" << "" << "" << 96 << "" << uhd << 2.0;
        QTest::newRow("QT_SCALE_FACTOR and Xft.dpi 192: not 4") << "2" << "" << "" << 192 << "" << uhd << 2.0;
        QTest::newRow("QT_SCALE_FACTOR 1 over Xft.dpi 192") << "1" << "" << "" << 192 << "" << uhd << 1.0;
        QTest::newRow("screen factors by name") << "" << "HDMI-1=1;DP-1=2" << "" << 0 << "DP-1" << uhd << 2.0;
        QTest::newRow("screen factors, other screen named") << "" << "HDMI-1=2" << "" << 192 << "DP-1" << uhd << 2.0;
        QTest::newRow("screen factors, ours 1") << "" << "DP-1=1;HDMI-1=2" << "" << 192 << "DP-1" << uhd << 1.0;
        QTest::newRow("screen factors as list: the primary's first") << "" << "2;1" << "" << 0 << "DP-1" << uhd << 2.0;
        QTest::newRow("screen factor times scale factor") << "1.5" << "DP-1=1.5" << "" << 0 << "DP-1" << uhd << 2.25;
        QTest::newRow("unreadable factor falls to dpi") << "two" << "DP-1=x" << "" << 192 << "DP-1" << uhd << 2.0;
        QTest::newRow("zero factor falls to dpi") << "0" << "" << "" << 144 << "" << uhd << 1.5;
        QTest::newRow("negative factor falls to dpi") << "-2" << "" << "" << 0 << "" << uhd << 1.0;
        QTest::newRow("too large for the monitor") << "3" << "" << "" << 0 << "" << fhd << 2.25;
        QTest::newRow("fits exactly") << "2" << "" << "" << 0 << "" << QSize(1122, 930) << 2.0;
        QTest::newRow("one pixel short") << "2" << "" << "" << 0 << "" << QSize(1122, 929) << 1.75;
        QTest::newRow("lowered to what fits") << "2" << "" << "" << 0 << "" << QSize(800, 600) << 1.25;
        QTest::newRow("monitor smaller than the design") << "2" << "" << "" << 0 << "" << QSize(640, 480) << 1.0;
        QTest::newRow("unknown monitor size") << "4" << "" << "" << 0 << "" << QSize() << 4.0;
        QTest::newRow("absurd factor is bounded") << "1e9" << "" << "" << 0 << "" << QSize() << 8.0;
        // clang-format on
    }
    void chooseScale() {
        QFETCH(QString, scaleFactor);
        QFETCH(QString, screenFactors);
        QFETCH(QString, fontDpi);
        QFETCH(int, xftDpi);
        QFETCH(QString, screen);
        QFETCH(QSize, screenSize);
        QFETCH(double, scale);
        DesktopScaleInputs in;
        in.scaleFactor = scaleFactor;
        in.screenScaleFactors = screenFactors;
        in.fontDpi = fontDpi;
        in.xftDpi = xftDpi;
        in.screenName = screen;
        in.screenSize = screenSize;
        QCOMPARE(ChooseDesktopScale(in), scale);
    }

    void xftDpi_data() {
        QTest::addColumn<QByteArray>("resources");
        QTest::addColumn<int>("dpi");
        QTest::newRow("xrdb's form") << QByteArray("Xft.antialias:\t1\nXft.dpi:\t192\n") << 192;
        QTest::newRow("spaces") << QByteArray("Xft.dpi :  144") << 144;
        QTest::newRow("fraction") << QByteArray("Xft.dpi:\t120.4\n") << 120;
        QTest::newRow("absent") << QByteArray("Xcursor.size:\t48\n") << 0;
        QTest::newRow("other dpi key") << QByteArray("*dpi:\t192\nXft.dpiX:\t192") << 0;
        QTest::newRow("not a number") << QByteArray("Xft.dpi:\tlarge\n") << 0;
        QTest::newRow("zero") << QByteArray("Xft.dpi:\t0\n") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }
    void xftDpi() {
        QFETCH(QByteArray, resources);
        QFETCH(int, dpi);
        QCOMPARE(XftDpiFromResources(resources), dpi);
    }
};

QTEST_GUILESS_MAIN(TestDesktopScale)
#include "test_desktopscale.moc"
