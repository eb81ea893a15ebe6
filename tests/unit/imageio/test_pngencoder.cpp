// Our PNG writer, decoded again by Qt and by ImageMagick: every pixel must come
// back, for shapes and formats that stress row handling, alpha, bands and chunking.
#include "imageio/encoders.h"
#include "tests/support/screenshot.h"

#include <QProcess>
#include <QtTest>

using namespace kv;

namespace {

// Pixels with every byte of the word used, the unused top byte of RGB32 too.
QImage noisy(int w, int h, QImage::Format format) {
    QImage img(w, h, format);
    quint32 seed = 77u + quint32(w) * 31u + quint32(h);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            line[x] = seed;
        }
    }
    return img;
}

// Gradient rows of one colour each, then a step: "Sub" sees the edges only.
QImage bands(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, x < w / 2 ? qRgb(y % 256, 255 - y % 256, 40) : qRgb(9, 9, x % 256));
    return img;
}

// What a lossless writer must keep: straight RGBA, and full opacity for a
// picture without an alpha channel.
QImage expected(const QImage& source) {
    if (source.hasAlphaChannel()) return source.convertToFormat(QImage::Format_ARGB32);
    QImage out =
        source.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            line[x] |= 0xff000000u;
    }
    return out;
}

// ImageMagick's reading of the file as straight 8-bit RGBA, or nothing.
QImage decodedByImageMagick(const QByteArray& png, QSize size) {
    QProcess convert;
    convert.start(QStringLiteral("convert"), {"png:-", "-depth", "8", "rgba:-"});
    convert.write(png);
    convert.closeWriteChannel();
    if (!convert.waitForFinished(60000) || convert.exitCode() != 0) return {};
    const QByteArray raw = convert.readAllStandardOutput();
    if (raw.size() != qsizetype(size.width()) * size.height() * 4) return {};
    QImage rgba(reinterpret_cast<const uchar*>(raw.constData()), size.width(), size.height(),
                size.width() * 4, QImage::Format_RGBA8888);
    return rgba.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestPngEncoder : public QObject {
    Q_OBJECT

private slots:
    void decodesToTheSamePixels_data() {
        QTest::addColumn<QImage>("source");
        // Its bands are filtered both ways, some "None", some "Sub".
        QTest::newRow("screenshot 1920x1080") << testing::desktopScreenshot();
        QTest::newRow("RGB32, unused byte not 0xff") << noisy(123, 45, QImage::Format_RGB32);
        QTest::newRow("alpha") << noisy(64, 33, QImage::Format_ARGB32);
        QTest::newRow("premultiplied alpha")
            << noisy(40, 20, QImage::Format_ARGB32)
                   .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QTest::newRow("1x1") << noisy(1, 1, QImage::Format_RGB32);
        QTest::newRow("1x10000") << noisy(1, 10000, QImage::Format_RGB32);
        QTest::newRow("10000x1") << noisy(10000, 1, QImage::Format_RGB32);
        QTest::newRow("width 3") << bands(3, 50);
        QTest::newRow("width 1001") << bands(1001, 7);
        QTest::newRow("odd width with alpha") << noisy(17, 9, QImage::Format_ARGB32);
        QTest::newRow("indexed") << bands(97, 61).convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("grey") << bands(31, 31).convertToFormat(QImage::Format_Grayscale8);
        // Random bytes hardly compress: several IDAT chunks.
        QTest::newRow("several IDAT chunks") << noisy(700, 600, QImage::Format_RGB32);
        // Larger pictures are compressed in bands of rows on several threads.
        QTest::newRow("alpha, in bands") << noisy(600, 500, QImage::Format_ARGB32);
        QTest::newRow("indexed, in bands")
            << bands(1000, 400).convertToFormat(QImage::Format_Indexed8);
        QTest::newRow("two rows, a band each") << noisy(140000, 2, QImage::Format_ARGB32);
        QTest::newRow("rows longer than a band") << noisy(70000, 8, QImage::Format_RGB32);
    }
    void decodesToTheSamePixels() {
        QFETCH(QImage, source);
        const EncoderOutput out = encodePng(source);
        QVERIFY2(out.failure.isEmpty(), qPrintable(out.failure));
        QVERIFY(out.bytes.startsWith("\x89PNG\r\n\x1a\n"));
        const QImage want = expected(source);

        const QImage byQt = QImage::fromData(out.bytes, "PNG");
        QVERIFY(!byQt.isNull());
        QCOMPARE(byQt.hasAlphaChannel(), source.hasAlphaChannel());
        QCOMPARE(byQt.convertToFormat(QImage::Format_ARGB32), want);
        // ImageMagick reads no picture wider than 16000 pixels.
        if (source.width() <= 16000) QCOMPARE(decodedByImageMagick(out.bytes, source.size()), want);
    }

    // Files of about the size the common writers make, not merely decodable:
    // regions of a screenshot as users cut them, some of which compress better
    // unfiltered and some filtered.
    void screenshotIsNoLargerThanQtsWriter_data() {
        QTest::addColumn<QRect>("region");
        QTest::newRow("whole screen") << QRect(0, 0, 1920, 1080);
        QTest::newRow("top left 640x480") << QRect(0, 0, 640, 480);
        QTest::newRow("small, 320x240") << QRect(0, 0, 320, 240);
        QTest::newRow("middle 400x300") << QRect(600, 300, 400, 300);
        QTest::newRow("right 900x700") << QRect(1000, 100, 900, 700);
    }
    void screenshotIsNoLargerThanQtsWriter() {
        QFETCH(QRect, region);
        const QImage shot = testing::desktopScreenshot().copy(region);
        const EncoderOutput ours = encodePng(shot);
        const EncoderOutput qts = encodeWithQt(shot, "png", -1);
        QVERIFY(!ours.bytes.isEmpty() && !qts.bytes.isEmpty());
        QVERIFY2(ours.bytes.size() <= qts.bytes.size() * 11 / 10,
                 qPrintable(QStringLiteral("%1 against %2 bytes")
                                .arg(ours.bytes.size())
                                .arg(qts.bytes.size())));
    }

    void nullPictureFails() {
        const EncoderOutput out = encodePng(QImage());
        QVERIFY(out.bytes.isEmpty());
        QVERIFY(!out.failure.isEmpty());
    }
};

QTEST_MAIN(TestPngEncoder)
#include "test_pngencoder.moc"
