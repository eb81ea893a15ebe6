// A picture taken right after a window was hidden is taken again while it still
// shows that window, up to a limit; a picture without it, or a failed one, ends it.
#include "platform/freshpicture.h"

#include <QPainter>
#include <QTest>

using namespace kv;

namespace {

QImage desktop() {
    QImage image(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x & 255, y & 255, (x * 7 + y) & 255));
    return image;
}

QImage windowLooks() {
    QImage image(60, 40, QImage::Format_RGB32);
    image.fill(qRgb(30, 144, 255));
    QPainter(&image).fillRect(10, 10, 20, 5, qRgb(250, 250, 250));
    return image;
}

QImage withWindow() {
    QImage image = desktop();
    QPainter(&image).drawImage(117, 70, windowLooks());
    return image;
}

} // namespace

class TestFreshPicture : public QObject {
    Q_OBJECT

private slots:
    void takesAgainWhileTheWindowShows_data() {
        QTest::addColumn<int>("stale");    // pictures that still show the window
        QTest::addColumn<bool>("failing"); // every take fails instead
        QTest::addColumn<int>("takes");
        QTest::addColumn<bool>("fresh"); // the result no longer shows it
        QTest::newRow("gone at once") << 0 << false << 1 << true;
        QTest::newRow("one picture behind") << 1 << false << 2 << true;
        QTest::newRow("two behind") << 2 << false << 3 << true;
        QTest::newRow("never gone: the last one") << 9 << false << 3 << false;
        QTest::newRow("a failed read is not taken again") << 0 << true << 1 << false;
    }
    void takesAgainWhileTheWindowShows() {
        QFETCH(int, stale);
        QFETCH(bool, failing);
        QFETCH(int, takes);
        QFETCH(bool, fresh);
        int taken = 0;
        const ScreenGrab got = takeWithout(
            [&]() -> ScreenGrab {
                ++taken;
                if (failing) return ScreenGrab(QImage(), QStringLiteral("no answer"));
                return ScreenGrab(taken <= stale ? withWindow() : desktop());
            },
            windowLooks(), 3);
        QCOMPARE(taken, takes);
        QCOMPARE(got.image == desktop(), fresh);
    }
};

QTEST_GUILESS_MAIN(TestFreshPicture)
#include "test_freshpicture.moc"
