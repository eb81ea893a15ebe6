// A picture on the real X clipboard, read back by another program (xclip).
#include "platform/pictureclipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QMimeData>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

using namespace kv;

namespace {

// Runs xclip while our event loop keeps serving the clipboard.
QByteArray xclip(const QStringList& args, const QByteArray& input = {}) {
    QProcess proc;
    proc.start(QStringLiteral("xclip"), args);
    if (!input.isNull()) {
        proc.write(input);
        proc.closeWriteChannel();
    }
    QElapsedTimer t;
    t.start();
    while (proc.state() != QProcess::NotRunning && t.elapsed() < 10000)
        QTest::qWait(20);
    return proc.exitCode() == 0 ? proc.readAllStandardOutput() : QByteArray();
}

QByteArray paste(const QString& type) {
    return xclip({"-selection", "clipboard", "-t", type, "-o"});
}

QStringList targets() {
    QStringList list = QString::fromLatin1(paste("TARGETS")).split('\n', Qt::SkipEmptyParts);
    list.sort();
    return list;
}

QImage region() {
    QImage img(31, 17, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 8, 255 - y * 9, x * y % 256));
    return img;
}

// An encoder that counts its calls per type and writes through Qt.
struct CountingEncoder {
    std::shared_ptr<std::mutex> mutex = std::make_shared<std::mutex>();
    std::shared_ptr<std::map<QString, int>> calls = std::make_shared<std::map<QString, int>>();
    bool givesBytes = true;

    QByteArray operator()(const QImage& image, const QString& type) const {
        {
            std::lock_guard lock(*mutex);
            ++(*calls)[type];
        }
        if (!givesBytes) return {};
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, type.mid(6).toUpper().toLatin1().constData());
        return bytes;
    }
    int callsFor(const QString& type) const {
        std::lock_guard lock(*mutex);
        return calls->count(type) ? calls->at(type) : 0;
    }
};

// An encoder whose PNG is held back until the test lets it go, as the encode of
// a large region takes its time; it gives up after a while, and says so.
struct GatedEncoder {
    std::shared_ptr<std::atomic<bool>> open = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> gaveUp = std::make_shared<std::atomic<bool>>(false);

    QByteArray operator()(const QImage& image, const QString& type) const {
        if (type == "image/png") {
            const QDeadlineTimer deadline(5000);
            while (!*open && !deadline.hasExpired())
                QThread::msleep(2);
            if (!*open) *gaveUp = true;
        }
        return CountingEncoder()(image, type);
    }
};

std::unique_ptr<QProcess> startPaste(const QString& type) {
    auto proc = std::make_unique<QProcess>();
    proc->start(QStringLiteral("xclip"), {"-selection", "clipboard", "-t", type, "-o"});
    return proc;
}

} // namespace

class TestPictureClipboard : public QObject {
    Q_OBJECT

private slots:
    void otherProgramsPasteThePicture_data() {
        QTest::addColumn<bool>("withEncoder");
        QTest::addColumn<QString>("type");
        QTest::newRow("Qt encodes, png") << false << "image/png";
        QTest::newRow("encoded once, png") << true << "image/png";
        QTest::newRow("encoded once, bmp") << true << "image/bmp";
        QTest::newRow("encoded once, Qt's image type") << true << "application/x-qt-image";
        QTest::newRow("encoded on request, ppm") << true << "image/ppm";
    }
    void otherProgramsPasteThePicture() {
        QFETCH(bool, withEncoder);
        QFETCH(QString, type);
        CountingEncoder encoder;
        PictureClipboard clip(QApplication::clipboard(),
                              withEncoder ? PictureEncoder(encoder) : PictureEncoder());
        clip.put(Picture(region()));
        QVERIFY(clip.holdsPut());
        for (int i = 0; i < 3; ++i) {
            const QByteArray bytes = paste(type);
            QCOMPARE(QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32), region());
        }
        // Qt's image type is answered with the PNG bytes.
        const QString stored = type == "application/x-qt-image" ? "image/png" : type;
        if (withEncoder) QCOMPARE(encoder.callsFor(stored), 1);
        // A paste inside Kolvane gets the picture itself.
        QCOMPARE(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 region());
    }

    // Other programs see the same offer as for a picture Qt encodes itself.
    void offersWhatQtOffers() {
        auto* plain = new QMimeData;
        plain->setImageData(region());
        QApplication::clipboard()->setMimeData(plain);
        const QStringList qts = targets();
        PictureClipboard clip(QApplication::clipboard(), CountingEncoder());
        clip.put(Picture(region()));
        QCOMPARE(targets(), qts);
        QVERIFY(qts.contains("image/png"));
    }

    // An encoder without bytes for a type leaves it to Qt's writer.
    void encoderWithoutBytesFallsBackToQt() {
        CountingEncoder encoder;
        encoder.givesBytes = false;
        PictureClipboard clip(QApplication::clipboard(), encoder);
        clip.put(Picture(region()));
        QCOMPARE(QImage::fromData(paste("image/png")).convertToFormat(QImage::Format_RGB32),
                 region());
    }

    // A paste that comes while the PNG is still being made waits for it with the
    // UI running (here the timer that lets the encoder go), and gets the region
    // also when meanwhile another paste comes, another program takes the
    // clipboard, or a new picture is put there (both delete the waiting data).
    void pasteWhileEncoding_data() {
        QTest::addColumn<int>("meanwhile");
        QTest::newRow("nothing else") << 0;
        QTest::newRow("a second paste") << 1;
        QTest::newRow("clipboard taken by another program") << 2;
        QTest::newRow("a new picture put") << 3;
    }
    void pasteWhileEncoding() {
        QFETCH(int, meanwhile);
        GatedEncoder encoder;
        PictureClipboard clip(QApplication::clipboard(), encoder);
        clip.put(Picture(region()));
        std::vector<std::unique_ptr<QProcess>> pastes;
        pastes.push_back(startPaste("image/png"));
        QProcess other;
        QTimer::singleShot(300, [&] {
            if (meanwhile == 1) pastes.push_back(startPaste("image/png"));
            if (meanwhile == 2) {
                other.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-i"});
                other.write("#1E90FF");
                other.closeWriteChannel();
            }
            if (meanwhile == 3) clip.put(Picture(region().mirrored()));
        });
        QTimer::singleShot(600, [&] { *encoder.open = true; });
        QTRY_VERIFY_WITH_TIMEOUT(*encoder.open || *encoder.gaveUp, 10000);
        for (const auto& proc : pastes) {
            QTRY_VERIFY_WITH_TIMEOUT(proc->state() == QProcess::NotRunning, 10000);
            const QImage pasted = QImage::fromData(proc->readAllStandardOutput());
            QCOMPARE(pasted.convertToFormat(QImage::Format_RGB32), region());
        }
        QVERIFY(!*encoder.gaveUp);
        other.waitForFinished(5000);
    }

    // A BMP paste that comes while the PNG is still being made gets its picture
    // without waiting for the PNG.
    void bmpPasteDoesNotWaitForThePng() {
        GatedEncoder encoder;
        PictureClipboard clip(QApplication::clipboard(), encoder);
        clip.put(Picture(region()));
        const std::unique_ptr<QProcess> bmp = startPaste("image/bmp");
        QTRY_VERIFY_WITH_TIMEOUT(bmp->state() == QProcess::NotRunning, 4000);
        QVERIFY(!*encoder.open);
        QCOMPARE(
            QImage::fromData(bmp->readAllStandardOutput()).convertToFormat(QImage::Format_RGB32),
            region());
        *encoder.open = true;
        QCOMPARE(QImage::fromData(paste("image/png")).convertToFormat(QImage::Format_RGB32),
                 region());
        QVERIFY(!*encoder.gaveUp);
    }

    // Only our own picture is ever cleared away, also while its encoding may
    // still be under way when something else takes the clipboard.
    void clearsOnlyItsOwnPicture_data() {
        QTest::addColumn<int>("since");
        QTest::addColumn<bool>("withEncoder");
        for (bool enc : {false, true}) {
            const char* how = enc ? "encoded once" : "Qt encodes";
            QTest::addRow("%s, nothing copied since", how) << 0 << enc;
            QTest::addRow("%s, text copied here", how) << 1 << enc;
            QTest::addRow("%s, text copied by another program", how) << 2 << enc;
        }
    }
    void clearsOnlyItsOwnPicture() {
        QFETCH(int, since);
        QFETCH(bool, withEncoder);
        PictureClipboard clip(QApplication::clipboard(),
                              withEncoder ? PictureEncoder(CountingEncoder()) : PictureEncoder());
        clip.put(Picture(region()));
        if (since == 1) QApplication::clipboard()->setText(QStringLiteral("#1E90FF"));
        if (since == 2) {
            xclip({"-selection", "clipboard", "-i"}, "#1E90FF");
            QTRY_VERIFY(!QApplication::clipboard()->ownsClipboard());
        }
        QCOMPARE(clip.clearIfHeld(), since == 0);
        const QByteArray text = xclip({"-selection", "clipboard", "-o"});
        QCOMPARE(text, since == 0 ? QByteArray() : QByteArray("#1E90FF"));
        if (since != 0) QVERIFY(!targets().contains("image/png"));
    }
};

QTEST_MAIN(TestPictureClipboard)
#include "test_pictureclipboard.moc"
