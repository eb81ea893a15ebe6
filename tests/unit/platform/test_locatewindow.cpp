// Finding our own window in a picture of the whole screen by its looks.
#include "platform/locatewindow.h"

#include <QPainter>
#include <QtTest>

using namespace kv;

namespace {

QImage noise(QSize size, quint32 seed) {
    QImage image(size, QImage::Format_RGB32);
    quint32 v = seed;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            v = v * 1664525u + 1013904223u;
            image.setPixel(x, y, v | 0xff000000u);
        }
    return image;
}

} // namespace

class TestLocateWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void locate_data() {
        QTest::addColumn<QPoint>("at");       // where the window is drawn; none off screen
        QTest::addColumn<int>("changedRows"); // rows of the window that differ on screen
        QTest::addColumn<bool>("found");
        QTest::newRow("middle") << QPoint(123, 77) << 0 << true;
        QTest::newRow("top-left corner") << QPoint(0, 0) << 0 << true;
        QTest::newRow("bottom-right corner") << QPoint(400 - 60, 300 - 40) << 0 << true;
        QTest::newRow("a few rows changed since") << QPoint(50, 60) << 3 << true;
        QTest::newRow("mostly changed") << QPoint(50, 60) << 30 << false;
        QTest::newRow("partly off the screen") << QPoint(370, 10) << 0 << false;
        QTest::newRow("not on the screen") << QPoint(-1000, -1000) << 0 << false;
    }
    void locate() {
        QFETCH(QPoint, at);
        QFETCH(int, changedRows);
        QFETCH(bool, found);
        const QImage window = noise(QSize(60, 40), 1);
        QImage screen = noise(QSize(400, 300), 2);
        {
            QPainter p(&screen);
            p.drawImage(at, window);
            // Rows that changed since, spread over the window.
            for (int i = 0; i < changedRows; ++i)
                p.fillRect(at.x(), at.y() + (i * 7) % 40, 60, 1, Qt::red);
        }
        const std::optional<QPoint> got = locateInPicture(screen, window);
        QCOMPARE(got.has_value(), found);
        if (found) QCOMPARE(*got, at);
    }

    // A window of one colour on a screen of another is found all the same.
    void plainWindowMatchesItsOwnColour() {
        QImage screen(200, 100, QImage::Format_RGB32);
        screen.fill(Qt::white);
        QImage window(20, 10, QImage::Format_RGB32);
        window.fill(Qt::blue);
        QPainter(&screen).drawImage(QPoint(30, 40), window);
        QCOMPARE(locateInPicture(screen, window), std::optional<QPoint>(QPoint(30, 40)));
    }
};

QTEST_GUILESS_MAIN(TestLocateWindow)
#include "test_locatewindow.moc"
