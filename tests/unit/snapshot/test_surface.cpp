#include "snapshot/surface.h"

#include <QRandomGenerator>
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
// The layers as plain whole pictures, copied whenever anything changes: what the
// surface must show, however cleverly it avoids the copies.
struct PlainLayers {
    QImage committed, working, transient;
    bool shown = false, persistent = true;

    explicit PlainLayers(const QImage& picture) : committed(picture), working(picture) {}
    void fill(const QRect& r, QColor c) {
        if (persistent) {
            shown = false;
            working.detach();
            QPainter(&working).fillRect(r, c);
            return;
        }
        if (!shown) transient = working.copy();
        shown = true;
        QPainter(&transient).fillRect(r, c);
    }
    void clear() {
        shown = false;
        if (persistent) working = committed;
    }
    const QImage& screen() const { return shown ? transient : working; }
};

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

    // Long random runs of previews, persistent drawing, clears, commits and
    // pictures from the history: the screen never keeps a trace of an earlier
    // preview and never misses a change of the working image.
    void screenFollowsEveryChange_data() {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 2u, 3u, 42u, 2024u})
            QTest::addRow("seed %u", seed) << seed;
    }
    void screenFollowsEveryChange() {
        QFETCH(quint32, seed);
        QRandomGenerator rng(seed);
        Surface s;
        s.load(filled(Qt::white));
        PlainLayers model(filled(Qt::white));
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::black, Qt::yellow};
        for (int step = 0; step < 1000; ++step) {
            const int op = rng.bounded(20);
            if (op < 8) {
                const QRect r(rng.bounded(40), rng.bounded(30), 1 + rng.bounded(12),
                              1 + rng.bounded(9));
                const QColor c = colours[rng.bounded(5)];
                s.paint([&](QPainter& p) { p.fillRect(r, c); }, r);
                model.fill(r, c);
            } else if (op < 14) {
                const bool on = rng.bounded(2) == 1;
                s.setPersistent(on);
                model.persistent = on;
            } else if (op < 17) {
                s.clear();
                model.clear();
            } else if (op < 19) {
                s.commit();
                model.committed = model.working;
            } else {
                const QImage picture = filled(colours[rng.bounded(5)]);
                s.setCommitted(picture);
                model = PlainLayers(picture);
                model.persistent = s.persistent();
            }
            QVERIFY2(s.screen() == model.screen(), qPrintable(QString("step %1").arg(step)));
            QVERIFY2(s.working() == model.working, qPrintable(QString("step %1").arg(step)));
        }
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
