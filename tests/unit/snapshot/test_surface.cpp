#include "snapshot/surface.h"

#include <QTest>

using namespace kv;

namespace {
QImage filled(QColor c) {
    QImage img(40, 30, QImage::Format_RGB32);
    img.fill(c);
    return img;
}
void dot(Surface& s, int x, int y, QColor c) {
    s.paint([&](QPainter& p) { p.fillRect(x, y, 1, 1, c); }, QRect(x, y, 1, 1));
}
} // namespace

class TestSurface : public QObject {
    Q_OBJECT
private slots:
    void persistentDrawingGoesIntoTheWorkingImage() {
        Surface s;
        s.load(filled(Qt::white));
        QVERIFY(s.persistent());
        dot(s, 3, 4, Qt::red);
        QCOMPARE(s.working().pixel(3, 4), qRgb(255, 0, 0));
        QCOMPARE(s.screen().pixel(3, 4), qRgb(255, 0, 0));
        QCOMPARE(s.committed().pixel(3, 4), qRgb(255, 255, 255));
        QCOMPARE(*s.pixel(3, 4), qRgb(255, 0, 0));
        s.clear(); // back to the committed picture
        QCOMPARE(s.working().pixel(3, 4), qRgb(255, 255, 255));
    }

    void commitKeepsTheDrawing() {
        Surface s;
        s.load(filled(Qt::white));
        dot(s, 1, 1, Qt::blue);
        s.commit();
        s.clear();
        QCOMPARE(s.committed().pixel(1, 1), qRgb(0, 0, 255));
        QCOMPARE(s.screen().pixel(1, 1), qRgb(0, 0, 255));
        dot(s, 2, 2, Qt::green); // drawing after a commit leaves the committed picture alone
        QCOMPARE(s.committed().pixel(2, 2), qRgb(255, 255, 255));
    }

    void transientDrawingStaysOffTheWorkingImage() {
        Surface s;
        s.load(filled(Qt::white));
        dot(s, 5, 5, Qt::red);
        s.setPersistent(false);
        dot(s, 6, 6, Qt::blue);
        QCOMPARE(s.screen().pixel(6, 6), qRgb(0, 0, 255));
        QCOMPARE(s.screen().pixel(5, 5), qRgb(255, 0, 0)); // on top of the working image
        QCOMPARE(s.working().pixel(6, 6), qRgb(255, 255, 255));
        QCOMPARE(*s.pixel(6, 6), qRgb(0, 0, 255)); // read-out from the screen layer now
        s.clear();                                 // only the preview goes
        QCOMPARE(s.screen().pixel(6, 6), qRgb(255, 255, 255));
        QCOMPARE(s.screen().pixel(5, 5), qRgb(255, 0, 0));
        // A second preview after a clear starts from the working image again.
        dot(s, 7, 7, Qt::blue);
        QCOMPARE(s.screen().pixel(6, 6), qRgb(255, 255, 255));
        QCOMPARE(s.screen().pixel(7, 7), qRgb(0, 0, 255));
        // Persistent drawing wipes what was only on the screen.
        s.setPersistent(true);
        dot(s, 8, 8, Qt::green);
        QCOMPARE(s.screen().pixel(7, 7), qRgb(255, 255, 255));
        QCOMPARE(s.screen().pixel(8, 8), qRgb(0, 255, 0));
    }

    void setCommittedReplacesEveryLayer() {
        Surface s;
        s.load(filled(Qt::white));
        dot(s, 1, 1, Qt::red);
        s.setPersistent(false);
        dot(s, 2, 2, Qt::red);
        s.setCommitted(filled(Qt::black));
        QCOMPARE(s.screen().pixel(2, 2), qRgb(0, 0, 0));
        QCOMPARE(s.working().pixel(1, 1), qRgb(0, 0, 0));
        QCOMPARE(s.committed().pixel(1, 1), qRgb(0, 0, 0));
    }

    void pixelOutsideIsUnreadable() {
        Surface s;
        s.load(filled(Qt::white));
        QVERIFY(!s.pixel(-1, 0));
        QVERIFY(!s.pixel(40, 0));
        QVERIFY(!s.pixel(0, 30));
        QVERIFY(s.pixel(39, 29));
    }

    void reportsChangedAreas() {
        Surface s;
        s.load(filled(Qt::white));
        QList<QRect> seen;
        s.onScreenChanged = [&](const QRect& r) { seen << r; };
        dot(s, 3, 3, Qt::red);
        QCOMPARE(seen.value(0), QRect(3, 3, 1, 1));
        s.setPersistent(false);
        dot(s, 9, 9, Qt::red);
        seen.clear();
        s.clear();
        QCOMPARE(seen.value(0), QRect(9, 9, 1, 1)); // the preview's area is repainted
    }
};

QTEST_GUILESS_MAIN(TestSurface)
#include "test_surface.moc"
