// Palette reduction for GIF: pictures with few colours come back exactly,
// screenshots closely, with their large flat areas exact; the nearest-colour
// search agrees with trying every palette colour.
#include "imageio/palettereduction.h"
#include "tests/support/screenshot.h"

#include <QtTest>

#include <climits>
#include <cmath>

using namespace kv;

namespace {

// `colours` distinct colours spread over a picture of the given size.
QImage withColours(int w, int h, int colours) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int i = 0; i < w * h; ++i) {
        const int k = i % colours;
        img.setPixel(i % w, i / w, qRgb(k * 37 % 256, k * 11 % 256, k / 256 * 97 + k % 3));
    }
    return img;
}

QImage back(const QImage& source, const IndexedPicture& p) {
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, p.palette.at(p.pixels.at(size_t(y) * out.width() + x)));
    return out;
}

double psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

int distance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b), dg = qGreen(a) - qGreen(b), db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

} // namespace

class TestPaletteReduction : public QObject {
    Q_OBJECT

private slots:
    void reduced_data() {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<double>("leastPsnr"); // 99: every pixel exact
        QTest::newRow("1 x 1") << withColours(1, 1, 1) << 99.0;
        QTest::newRow("one colour") << withColours(33, 7, 1) << 99.0;
        QTest::newRow("256 colours") << withColours(64, 64, 256) << 99.0;
        QTest::newRow("1 x 10000, 256 colours") << withColours(1, 10000, 256) << 99.0;
        QTest::newRow("257 colours") << withColours(64, 64, 257) << 40.0;
        QTest::newRow("screenshot") << testing::desktopScreenshot() << 44.0;
    }
    void reduced() {
        QFETCH(QImage, source);
        QFETCH(double, leastPsnr);
        const IndexedPicture p = reduceToPalette(source);
        QVERIFY(!p.palette.empty() && p.palette.size() <= 256);
        QCOMPARE(p.pixels.size(), size_t(source.width()) * size_t(source.height()));
        const QImage result = back(source, p);
        const double q = psnr(result, source);
        QVERIFY2(q >= leastPsnr, qPrintable(QString::number(q)));
    }

    // The window background, bar and text colours of a screenshot keep their value.
    void largeAreasStayExact() {
        const QImage source = testing::desktopScreenshot();
        const QImage result = back(source, reduceToPalette(source));
        for (QPoint at : {QPoint(1100, 500), QPoint(100, 45), QPoint(270, 500), QPoint(1900, 10),
                          QPoint(500, 1060)})
            QCOMPARE(result.pixel(at), source.pixel(at));
    }

    void nearestIsNearest() {
        std::vector<QRgb> palette;
        quint32 seed = 99;
        auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
        for (int i = 0; i < 200; ++i)
            palette.push_back(qRgb(next() >> 24, next() >> 24, i % 2 ? 128 : next() >> 24));
        const NearestColour nearest(palette);
        for (int i = 0; i < 20000; ++i) {
            const QRgb c = next() | 0xff000000u;
            int best = INT_MAX;
            for (QRgb p : palette)
                best = std::min(best, distance(p, c));
            const int hint = int(next() % 300); // also out of range
            QCOMPARE(distance(palette[size_t(nearest(c, hint))], c), best);
        }
    }
};

QTEST_MAIN(TestPaletteReduction)
#include "test_palettereduction.moc"
