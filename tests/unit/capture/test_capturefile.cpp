// Names and bitmap files of the timed captures.
#include "capture/capturefile.h"
#include "support/fakeclock.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace kv;

namespace {

QImage noise(int w, int h, quint32 seed) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, rng.generate() | 0xff000000u);
    return image;
}

} // namespace

class TestCaptureFile : public QObject {
    Q_OBJECT
private slots:
    void fileName_data() {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << QDateTime(QDate(2010, 5, 1), QTime(15, 30, 12))
                                 << "05-01-2010-153012.bmp";
        QTest::newRow("zero padding")
            << QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)) << "01-02-2026-030405.bmp";
        QTest::newRow("midnight") << QDateTime(QDate(2026, 3, 5), QTime(0, 0, 0))
                                  << "03-05-2026-000000.bmp";
        QTest::newRow("last second of the year")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)) << "12-31-2026-235959.bmp";
        QTest::newRow("new year") << QDateTime(QDate(2027, 1, 1), QTime(0, 0, 1))
                                  << "01-01-2027-000001.bmp";
    }
    void fileName() {
        QFETCH(QDateTime, when);
        QFETCH(QString, expected);
        QCOMPARE(captureFileName(when), expected);

        // The saved file is named by the clock it is given.
        QTemporaryDir dir;
        const CaptureSaveResult r =
            saveCaptureBitmap(noise(2, 2, 1), captureFolder(dir.path()), kvtest::FixedClock(when));
        QVERIFY2(r.ok(), qPrintable(r.error));
        QCOMPARE(r.path, dir.path() + "/用户图片/" + expected);
        QVERIFY(QFile::exists(r.path));
    }

    // The bitmap is 24-bit and decodes to the very pixels captured, also where
    // rows need padding; the folder is created when it is missing.
    void writesPixelEqualBitmap_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("padded rows") << QSize(3, 5);
        QTest::newRow("screen sized") << QSize(1920, 1080);
        QTest::newRow("one pixel") << QSize(1, 1);
    }
    void writesPixelEqualBitmap() {
        QFETCH(QSize, size);
        QTemporaryDir dir;
        QVERIFY(!QDir(dir.filePath("用户图片")).exists());
        const QImage image = noise(size.width(), size.height(), 42);
        const kvtest::FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(20, 0, 0)));
        const CaptureSaveResult r = saveCaptureBitmap(image, captureFolder(dir.path()), clock);
        QVERIFY2(r.ok(), qPrintable(r.error));

        QFile file(r.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("BM"));
        QCOMPARE(qFromLittleEndian<quint16>(bytes.constData() + 28), quint16(24));
        const int stride = (size.width() * 3 + 3) / 4 * 4;
        const quint32 offset = qFromLittleEndian<quint32>(bytes.constData() + 10);
        QCOMPARE(bytes.size(), qsizetype(offset + stride * size.height()));

        const QImage back = QImage(r.path, "bmp").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back.size(), image.size());
        QVERIFY(back == image);
    }

    void overwritesSameSecond() {
        QTemporaryDir dir;
        const kvtest::FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(20, 0, 0)));
        QVERIFY(saveCaptureBitmap(noise(4, 4, 1), captureFolder(dir.path()), clock).ok());
        const QImage second = noise(4, 4, 2);
        const CaptureSaveResult r = saveCaptureBitmap(second, captureFolder(dir.path()), clock);
        QVERIFY(r.ok());
        QVERIFY(QImage(r.path).convertToFormat(QImage::Format_RGB32) == second);
    }

    // A write that cannot happen says which file and why, and leaves nothing
    // half-written behind.
    void reportsFailures_data() {
        QTest::addColumn<QString>("blocker"); // what is put in the way
        QTest::addColumn<bool>("withPicture");
        QTest::newRow("folder name taken by a file") << "用户图片" << true;
        QTest::newRow("file name taken by a folder") << "用户图片/12-07-2026-200000.bmp/x" << true;
        QTest::newRow("no picture") << "" << false;
    }
    void reportsFailures() {
        QFETCH(QString, blocker);
        QFETCH(bool, withPicture);
        QTemporaryDir dir;
        if (blocker == "用户图片") {
            QFile f(dir.filePath(blocker));
            QVERIFY(f.open(QIODevice::WriteOnly));
        } else if (!blocker.isEmpty()) {
            QVERIFY(QDir(dir.path()).mkpath(blocker));
        }
        const kvtest::FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(20, 0, 0)));
        const CaptureSaveResult r = saveCaptureBitmap(withPicture ? noise(8, 8, 3) : QImage(),
                                                      captureFolder(dir.path()), clock);
        QVERIFY(!r.ok());
        QVERIFY(!r.error.trimmed().isEmpty());
        qInfo() << "reported:" << r.error;
        QCOMPARE(r.path, dir.path() + "/用户图片/12-07-2026-200000.bmp");
        const QStringList left = QDir(dir.filePath("用户图片")).entryList(QDir::Files);
        QVERIFY2(left.isEmpty(), qPrintable(left.join(',')));
    }
};

QTEST_GUILESS_MAIN(TestCaptureFile)
#include "test_capturefile.moc"
