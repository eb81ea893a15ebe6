// The screen reader returns what the X server shows, pixel for pixel, compared
// with an independent grab by ImageMagick's `import`.
#include "platform/lazyscreenreader.h"
#include "platform/screenreaderfactory.h"
#include "platform/x11screenreader.h"
#include "support/noisewindow.h"

#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

using namespace kv;

namespace {

QImage importRoot() {
    QTemporaryDir dir;
    const QString file = dir.filePath("root.png");
    QProcess p;
    p.start("import", {"-window", "root", file});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

const QRect kNoise(300, 200, 640, 480);

} // namespace

class TestScreenReader : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        window_ = std::make_unique<kvtest::NoiseWindow>(kNoise, false);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
        // Wait until the server shows the window's pixels.
        auto reader = createScreenReader();
        QTRY_VERIFY_WITH_TIMEOUT(reader->grab(kNoise).image == window_->image(), 10000);
        root_ = importRoot();
        QVERIFY2(!root_.isNull(), "import -window root failed");
    }

    void screenSize() {
        auto reader = createScreenReader();
        QCOMPARE(reader->screenSize(), root_.size());
    }

    // Render into shared memory, a shared-memory GetImage, the plain X path and
    // Qt's grab, each for the whole screen and for rectangles that reach past its
    // edges (read as black).
    void grabEqualsScreen_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QRect>("rect");
        const QList<QPair<const char*, int>> kinds{
            {"render", 0}, {"shm", 1}, {"plain", 2}, {"qt", 3}};
        for (auto [name, kind] : kinds) {
            QTest::addRow("%s whole screen", name) << kind << QRect(0, 0, 1920, 1080);
            QTest::addRow("%s noise window", name) << kind << kNoise;
            QTest::addRow("%s odd rectangle", name) << kind << QRect(301, 203, 97, 33);
            QTest::addRow("%s past the bottom right", name) << kind << QRect(1900, 1070, 40, 20);
            QTest::addRow("%s past the top left", name) << kind << QRect(-10, -5, 330, 215);
        }
        QTest::addRow("render wholly off screen") << 0 << QRect(2000, 1200, 10, 10);
    }
    void grabEqualsScreen() {
        QFETCH(int, kind);
        QFETCH(QRect, rect);
        const X11ReadPath paths[] = {X11ReadPath::Best, X11ReadPath::SharedMemory,
                                     X11ReadPath::NoSharedMemory};
        std::unique_ptr<ScreenReader> reader =
            kind < 3 ? createX11ScreenReader(paths[kind]) : createQtScreenReader();
        QVERIFY(reader);
        // Three times: the second read reuses the segment of the first, the third
        // needs another because the second picture is still held.
        QImage held;
        for (int round = 0; round < 3; ++round) {
            const QImage grabbed = reader->grab(rect).image;
            if (round == 1) held = grabbed;
            // The held picture's memory is never read into again.
            if (round == 2) QVERIFY(grabbed.constBits() != held.constBits());
            QCOMPARE(grabbed.format(), QImage::Format_RGB32);
            QCOMPARE(grabbed.size(), rect.size());
            QImage expected(rect.size(), QImage::Format_RGB32);
            expected.fill(Qt::black);
            QPainter(&expected).drawImage(-rect.topLeft(), root_);
            QVERIFY2(grabbed == expected, qPrintable(QString("round %1").arg(round)));
            // Every pixel says it is opaque, as RGB32 must.
            for (int y = 0; y < grabbed.height(); y += 7) {
                const QRgb* line = reinterpret_cast<const QRgb*>(grabbed.constScanLine(y));
                for (int x = 0; x < grabbed.width(); ++x)
                    if (qAlpha(line[x]) != 255) QFAIL("pixel without its opaque byte");
            }
        }
        QVERIFY(reader->grab(QRect(10, 10, 0, 5)).image.isNull());
    }

    void pixel_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("origin") << QPoint(0, 0);
        QTest::newRow("noise corner") << kNoise.topLeft();
        QTest::newRow("noise inside") << kNoise.center();
        QTest::newRow("noise last") << kNoise.bottomRight();
        QTest::newRow("screen corner") << QPoint(1919, 1079);
        QTest::newRow("past the right") << QPoint(1920, 5);
        QTest::newRow("past the bottom") << QPoint(5, 1080);
        QTest::newRow("negative") << QPoint(-1, 3);
    }
    void pixel() {
        QFETCH(QPoint, at);
        auto reader = createScreenReader();
        const std::optional<QRgb> value = reader->pixel(at);
        if (!root_.rect().contains(at)) {
            QVERIFY(!value);
            return;
        }
        QVERIFY(value);
        QCOMPARE(QColor(*value), QColor(root_.pixel(at)));
        QCOMPARE(qAlpha(*value), 255);
    }

    // The reader the program starts with opens its connection at the first
    // read only, once, and then reads what a reader made at once reads.
    void lazyReaderOpensAtFirstRead() {
        int made = 0;
        LazyScreenReader lazy([&made] {
            ++made;
            return createScreenReader();
        });
        QCOMPARE(made, 0);
        QCOMPARE(lazy.grab(kNoise).image, window_->image());
        QCOMPARE(lazy.screenSize(), root_.size());
        QCOMPARE(QColor(*lazy.pixel(kNoise.topLeft())), QColor(window_->image().pixel(0, 0)));
        QCOMPARE(made, 1);
    }
    // No reader to be had: reads give nothing and say why, instead of crashing.
    void lazyReaderWithoutScreen() {
        LazyScreenReader lazy([] { return std::unique_ptr<ScreenReader>(); });
        QVERIFY(!lazy.pixel(QPoint(1, 1)));
        const ScreenGrab read = lazy.grab(kNoise);
        QVERIFY(read.image.isNull());
        QVERIFY(read.failed());
        QVERIFY(!lazy.holdPicture().held);
    }

    void cleanupTestCase() { window_.reset(); }

private:
    std::unique_ptr<kvtest::NoiseWindow> window_;
    QImage root_;
};

QTEST_MAIN(TestScreenReader)
#include "test_screenreader.moc"
