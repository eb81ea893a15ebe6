// Writing pictures: format keys, each format decoded again, overwriting and
// failures that must leave existing files alone.
#include "imageio/encoders.h"
#include "imageio/pictureformat.h"
#include "imageio/savepicture.h"
#include "tests/support/screenshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>
#include <tiffio.h>

#include <cmath>
#include <set>
#include <unistd.h>

using namespace kv;

Q_DECLARE_METATYPE(std::optional<kv::PictureFormat>)
Q_DECLARE_METATYPE(kv::EncodeSettings)

namespace {

// Odd sizes exercise row padding; a smooth gradient with noise gives thousands of
// colours, as a screenshot's photo areas do.
QImage manyColours(int w = 97, int h = 61) {
    QImage img(w, h, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int((seed >> 16) % 9) - 4;
            img.setPixel(x, y,
                         qRgb(qBound(0, x * 255 / w + noise, 255),
                              qBound(0, y * 255 / h - noise, 255),
                              qBound(0, (x + y) * 2 % 256 + noise, 255)));
        }
    return img;
}

// Flat areas in a handful of colours, like a dialog.
QImage fewColours() {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(qRgb(240, 240, 240));
    for (int y = 5; y < 25; ++y)
        for (int x = 3; x < 37; ++x)
            img.setPixel(x, y, (x + y) % 7 ? qRgb(0, 122, 236) : qRgb(17, 0, 3));
    return img;
}

bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c)
            if ((x.pixel(c, r) & 0xffffff) != (y.pixel(c, r) & 0xffffff)) return false;
    return true;
}

double psnr(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r)
        for (int c = 0; c < x.width(); ++c) {
            const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
            for (int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += d * d;
        }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The IJG quality whose scaled standard luminance table equals the file's first
// quantisation table; 0 when none does.
int jpegQuality(const QByteArray& jpeg) {
    static const int base[64] = {16,  11,  10,  16,  24, 40, 51,  61,  12,  12,  14,  19,  26,
                                 58,  60,  55,  14,  13, 16, 24,  40,  57,  69,  56,  14,  17,
                                 22,  29,  51,  87,  80, 62, 18,  22,  37,  56,  68,  109, 103,
                                 77,  24,  35,  55,  64, 81, 104, 113, 92,  49,  64,  78,  87,
                                 103, 121, 120, 101, 72, 92, 95,  98,  112, 100, 103, 99};
    static const int zigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                   12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                   35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                   58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    const auto* d = reinterpret_cast<const uchar*>(jpeg.constData());
    for (qsizetype i = 2; i + 4 < jpeg.size();) {
        if (d[i] != 0xFF) return 0;
        const int marker = d[i + 1], len = d[i + 2] << 8 | d[i + 3];
        if (marker == 0xDB && (d[i + 4] & 0x0F) == 0 && (d[i + 4] >> 4) == 0) {
            const uchar* table = d + i + 5; // zigzag order
            for (int q = 1; q <= 100; ++q) {
                const int scale = q < 50 ? 5000 / q : 200 - 2 * q;
                bool all = true;
                for (int k = 0; k < 64 && all; ++k)
                    all = table[k] == qBound(1, (base[zigzag[k]] * scale + 50) / 100, 255);
                if (all) return q;
            }
            return 0;
        }
        i += 2 + len;
    }
    return 0;
}

bool hasMarker(const QByteArray& jpeg, uchar marker) {
    return jpeg.contains(QByteArray("\xFF") + char(marker));
}

} // namespace

class TestSavePicture : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }

    void keys_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<std::optional<PictureFormat>>("format");
        const std::optional<PictureFormat> none;
        QTest::newRow("png") << "png" << std::optional(PictureFormat::Png);
        QTest::newRow("PNG") << "PNG" << std::optional(PictureFormat::Png);
        QTest::newRow("Png") << "Png" << std::optional(PictureFormat::Png);
        QTest::newRow("jpg") << "jpg" << std::optional(PictureFormat::Jpeg);
        QTest::newRow("JPEG") << "JPEG" << std::optional(PictureFormat::Jpeg);
        QTest::newRow("bmp") << "Bmp" << std::optional(PictureFormat::Bmp);
        QTest::newRow("gif") << "GIF" << std::optional(PictureFormat::Gif);
        QTest::newRow("tiff") << "tiff" << std::optional(PictureFormat::Tiff);
        QTest::newRow("tif") << "tif" << none;
        QTest::newRow("jpe") << "jpe" << none;
        QTest::newRow("empty") << "" << none;
        QTest::newRow("padded") << " png" << none;
        QTest::newRow("longer") << "pngs" << none;
        QTest::newRow("whole name") << "picture" << none;
    }
    void keys() {
        QFETCH(QString, key);
        QFETCH(std::optional<PictureFormat>, format);
        QCOMPARE(formatForKey(key), format);
    }

    void keyOfName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::newRow("plain") << "/tmp/a.PNG"
                               << "PNG";
        QTest::newRow("last dot") << "/tmp/a.b.jpeg"
                                  << "jpeg";
        QTest::newRow("no dot") << "picture"
                                << "picture";
        QTest::newRow("trailing dot") << "a."
                                      << "";
    }
    void keyOfName() {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QCOMPARE(formatKeyOf(name), key);
    }

    // Lossless formats come back pixel for pixel.
    void losslessRoundTrip_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "png" << QByteArray("\x89PNG");
        QTest::newRow("PNG") << "PNG" << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "bmp" << QByteArray("BM");
        QTest::newRow("tiff") << "TIFF" << QByteArray("II*\0", 4);
    }
    void losslessRoundTrip() {
        QFETCH(QString, key);
        QFETCH(QByteArray, magic);
        const QImage source = manyColours();
        const QString path = dir_.filePath("round." + key);
        QCOMPARE(savePicture(Picture(source), path, key, {}), std::nullopt);
        QVERIFY(readAll(path).startsWith(magic));
        QVERIFY(samePixels(QImage(path), source));
    }

    // A screen picture is a 24-bit bitmap; an indexed one keeps its 8 bits.
    void bmpKeepsDepth_data() {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<int>("bits");
        QTest::newRow("screen") << manyColours() << 24;
        QTest::newRow("indexed") << manyColours().convertToFormat(QImage::Format_Indexed8) << 8;
    }
    void bmpKeepsDepth() {
        QFETCH(QImage, source);
        QFETCH(int, bits);
        const QString path = dir_.filePath("depth.bmp");
        QCOMPARE(savePicture(Picture(source), path, "bmp", {}), std::nullopt);
        const QByteArray bytes = readAll(path);
        QCOMPARE(int(uchar(bytes[28]) | uchar(bytes[29]) << 8), bits);
        QVERIFY(samePixels(QImage(path), source));
    }

    void jpegAtQualityEighty_data() {
        QTest::addColumn<QString>("key");
        QTest::newRow("jpg") << "jpg";
        QTest::newRow("JPG") << "JPG";
        QTest::newRow("jpeg") << "jpeg";
    }
    void jpegAtQualityEighty() {
        QFETCH(QString, key);
        const QImage source = manyColours();
        const QString path = dir_.filePath("photo." + key);
        QCOMPARE(savePicture(Picture(source), path, key, {80, 24, 6}), std::nullopt);
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("\xFF\xD8"));
        QCOMPARE(jpegQuality(bytes), 80);
        QVERIFY2(hasMarker(bytes, 0xC0), "baseline frame expected");
        QVERIFY(!hasMarker(bytes, 0xC2));
        const QImage back(path);
        QCOMPARE(back.size(), source.size());
        QVERIFY(psnr(back, source) > 30);
    }

    void tiffLayout_data() {
        QTest::addColumn<quint32>("depth");
        QTest::addColumn<quint32>("compression");
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("libtiffCompression");
        QTest::newRow("24 uncompressed") << 24u << 6u << 3 << COMPRESSION_NONE;
        QTest::newRow("32 uncompressed") << 32u << 6u << 4 << COMPRESSION_NONE;
        QTest::newRow("24 lzw") << 24u << 2u << 3 << COMPRESSION_LZW;
    }
    void tiffLayout() {
        QFETCH(quint32, depth);
        QFETCH(quint32, compression);
        QFETCH(int, samples);
        QFETCH(int, libtiffCompression);
        const QImage source = manyColours();
        const QString path = dir_.filePath("layout.tiff");
        QCOMPARE(savePicture(Picture(source), path, "tiff", {80, depth, compression}),
                 std::nullopt);

        TIFF* tif = TIFFOpen(QFile::encodeName(path).constData(), "r");
        QVERIFY(tif);
        uint32_t w = 0, h = 0;
        uint16_t bps = 0, spp = 0, comp = 0, photometric = 0;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h);
        TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bps);
        TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &spp);
        TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &comp);
        TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &photometric);
        std::vector<uchar> row(TIFFScanlineSize(tif));
        bool same = true;
        for (uint32_t y = 0; y < h && same; ++y) {
            same = TIFFReadScanline(tif, row.data(), y) == 1;
            for (uint32_t x = 0; x < w && same; ++x) {
                const QRgb p = source.pixel(int(x), int(y));
                const uchar* s = row.data() + x * spp;
                same = s[0] == qRed(p) && s[1] == qGreen(p) && s[2] == qBlue(p) &&
                       (spp == 3 || s[3] == 255);
            }
        }
        TIFFClose(tif);
        QCOMPARE(int(w), source.width());
        QCOMPARE(int(h), source.height());
        QCOMPARE(int(bps), 8);
        QCOMPARE(int(spp), samples);
        QCOMPARE(int(comp), libtiffCompression);
        QCOMPARE(int(photometric), PHOTOMETRIC_RGB);
        QVERIFY(same);
        // Qt's reader agrees.
        QVERIFY(samePixels(QImage(path), source));
    }

    void gifColours_data() {
        QTest::addColumn<QImage>("source");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<double>("leastPsnr");
        QTest::newRow("thousands of colours") << manyColours(200, 120) << false << 30.0;
        QTest::newRow("screenshot") << testing::desktopScreenshot() << false << 44.0;
        QTest::newRow("few colours stay exact") << fewColours() << true << 99.0;
    }
    void gifColours() {
        QFETCH(QImage, source);
        QFETCH(bool, exact);
        QFETCH(double, leastPsnr);
        const QString path = dir_.filePath("colours.gif");
        QCOMPARE(savePicture(Picture(source), path, "gif", {}), std::nullopt);
        QVERIFY(readAll(path).startsWith("GIF8"));
        const QImage back(path);
        QCOMPARE(back.size(), source.size());
        std::set<QRgb> used;
        for (int y = 0; y < back.height(); ++y)
            for (int x = 0; x < back.width(); ++x)
                used.insert(back.pixel(x, y));
        QVERIFY(used.size() <= 256);
        if (exact)
            QVERIFY(samePixels(back, source));
        else
            QVERIFY2(psnr(back, source) >= leastPsnr,
                     qPrintable(QString::number(psnr(back, source))));
    }

    // Unknown keys and settings fail with their own number and write nothing.
    void refusedWithoutWriting_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<EncodeSettings>("settings");
        QTest::addColumn<bool>("picture");
        QTest::addColumn<int>("number");
        QTest::newRow("tif") << "tif" << EncodeSettings{} << true << int(UnknownFormatError);
        QTest::newRow("whole name")
            << "shot" << EncodeSettings{} << true << int(UnknownFormatError);
        QTest::newRow("no picture") << "png" << EncodeSettings{} << false << int(NoPictureError);
        QTest::newRow("jpeg quality 101")
            << "jpg" << EncodeSettings{101, 24, 6} << true << int(UnsupportedSettingError);
        QTest::newRow("tiff 16 bits")
            << "tiff" << EncodeSettings{80, 16, 6} << true << int(UnsupportedSettingError);
        QTest::newRow("tiff ccitt")
            << "tiff" << EncodeSettings{80, 24, 3} << true << int(UnsupportedSettingError);
    }
    void refusedWithoutWriting() {
        QFETCH(QString, key);
        QFETCH(EncodeSettings, settings);
        QFETCH(bool, picture);
        QFETCH(int, number);
        const QString path = dir_.filePath("refused." + key);
        const auto error =
            savePicture(picture ? Picture(manyColours()) : Picture(), path, key, settings);
        QVERIFY(error);
        QCOMPARE(error->number, number);
        QVERIFY(!error->description.isEmpty());
        if (number == UnknownFormatError) QVERIFY(error->description.contains(key));
        QVERIFY(!QFile::exists(path));
    }

    void overwritesWithoutQuestion() {
        const QString path = dir_.filePath("again.png");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();
        const QImage source = fewColours();
        QCOMPARE(savePicture(Picture(source), path, "png", {}), std::nullopt);
        QVERIFY(samePixels(QImage(path), source));
    }

    // A failed save never damages a file that was there before.
    void failureKeepsExistingFile() {
        const QString path = dir_.filePath("keep.tiff");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("precious");
        old.close();
        QVERIFY(savePicture(Picture(manyColours()), path, "tiff", {80, 16, 6}));
        QCOMPARE(readAll(path), QByteArray("precious"));
    }

    // Big pictures go to the file in many pieces; every row must land in place.
    void largePicturesComeBackWhole_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<quint32>("depth");
        QTest::addColumn<qint64>("fileBytes");
        const qint64 pixels = 1920LL * 1080;
        QTest::newRow("bmp") << "bmp" << 24u << 54 + pixels * 3;
        QTest::newRow("tiff 24") << "tiff" << 24u << qint64(-1);
        QTest::newRow("tiff 32") << "tiff" << 32u << qint64(-1);
        QTest::newRow("png") << "png" << 24u << qint64(-1);
    }
    void largePicturesComeBackWhole() {
        QFETCH(QString, key);
        QFETCH(quint32, depth);
        QFETCH(qint64, fileBytes);
        const QImage source = kv::testing::desktopScreenshot();
        const QString path = dir_.filePath("large." + key);
        QCOMPARE(savePicture(Picture(source), path, key, {80, depth, 6}), std::nullopt);
        if (fileBytes > 0) QCOMPARE(QFileInfo(path).size(), fileBytes);
        QVERIFY(samePixels(QImage(path), source));
    }

    // Saving leaves nothing else in the folder, and a replaced file keeps its
    // permissions; also when the save fails.
    void leavesOnlyTheFile_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<EncodeSettings>("settings");
        QTest::addColumn<bool>("fails");
        QTest::newRow("png") << "png" << EncodeSettings{} << false;
        QTest::newRow("bmp") << "bmp" << EncodeSettings{} << false;
        QTest::newRow("tiff") << "tiff" << EncodeSettings{} << false;
        QTest::newRow("refused setting") << "tiff" << EncodeSettings{80, 16, 6} << true;
    }
    void leavesOnlyTheFile() {
        QFETCH(QString, key);
        QFETCH(EncodeSettings, settings);
        QFETCH(bool, fails);
        QTemporaryDir folder;
        const QString path = folder.filePath("mine." + key);
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        const auto perms =
            QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser;
        QVERIFY(QFile::setPermissions(path, perms));
        QCOMPARE(bool(savePicture(Picture(manyColours()), path, key, settings)), fails);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"mine." + key});
        QCOMPARE(QFileInfo(path).permissions() & 0x7777, perms);
        if (!fails) QVERIFY(samePixels(QImage(path), manyColours()));
    }

    void unwritablePlaces_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("missing folder") << dir_.filePath("nowhere/shot.png") << "不存在";
        QTest::newRow("folder of that name") << dir_.path() << "文件夹";
        QTest::newRow("system folder") << "/proc/kolvane-shot.png"
                                       << "kolvane-shot.png";
    }
    void unwritablePlaces() {
        QFETCH(QString, path);
        QFETCH(QString, mentions);
        const auto error = savePicture(Picture(fewColours()), path, "png", {});
        QVERIFY(error);
        QCOMPARE(error->number, int(FileWriteError));
        QVERIFY2(error->description.contains(mentions), qPrintable(error->description));
    }

    void readOnlyFolder() {
        if (geteuid() == 0) QSKIP("permissions do not hold for root");
        const QString folder = dir_.filePath("locked");
        QVERIFY(QDir().mkdir(folder));
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const auto error = savePicture(Picture(fewColours()), folder + "/a.png", "png", {});
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(error);
        QCOMPARE(error->number, int(FileWriteError));
        QVERIFY(error->description.contains("权限"));
    }

    void errorText() {
        QCOMPARE(saveErrorText({3, "无法写入"}),
                 QString("在保存图片的过程中发生错误:\r\n\r\n错误号: 3\r\n错误描述: 无法写入"));
    }

private:
    QTemporaryDir dir_;
};

QTEST_MAIN(TestSavePicture)
#include "test_savepicture.moc"
