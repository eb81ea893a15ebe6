#include "snapshot/history.h"

#include <QPainter>
#include <QRandomGenerator>
#include <QTest>

using namespace kv;

namespace {

// A picture with detail everywhere (so nothing matches by accident), of an odd size so
// the last row and column of tiles are partial.
QImage noisy(QSize size, quint32 seed) {
    QImage img(size, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = 0xff000000u | (rng.generate() & 0xffffff);
    }
    return img;
}

// The picture with a stroke drawn on it.
QImage stroked(const QImage& base, const QRect& where, QColor colour) {
    QImage img = base.copy();
    QPainter p(&img);
    p.fillRect(where, colour);
    return img;
}

bool same(const QImage& a, const QImage& b) {
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_RGB32) == b.convertToFormat(QImage::Format_RGB32);
}

void checkInvariant(const History& h) {
    QVERIFY(1 <= h.count());
    QVERIFY(h.count() <= h.top());
    QCOMPARE(h.top(), h.entries());
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT
    const QSize size{301, 157};
    QImage snap = noisy(size, 1);
    QImage a = stroked(snap, QRect(10, 10, 40, 30), Qt::red);
    QImage b = stroked(a, QRect(200, 100, 80, 50), Qt::blue);
    QImage c = stroked(a, QRect(60, 90, 10, 60), Qt::green);

private slots:
    void startHoldsTheSnapshot() {
        History h(32);
        h.start(snap);
        QCOMPARE(h.count(), 1);
        QCOMPARE(h.top(), 1);
        QVERIFY(same(h.ReadP(1), snap));
        QVERIFY(!h.redo());
        QCOMPARE(h.count(), 1);
        QVERIFY(!h.undo()); // past the snapshot: the caller returns to selecting
        QCOMPARE(h.count(), 1);
        QVERIFY(same(h.ReadP(1), snap));
        checkInvariant(h);
    }

    // Each row: a sequence of operations and the picture expected after the last one
    // ("-" when undo/redo must give nothing), with the expected count and top.
    void sequences_data() {
        QTest::addColumn<QString>("ops");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("top");
        QTest::newRow("A B undo") << "A B u"
                                  << "A" << 2 << 3;
        QTest::newRow("A B undo redo") << "A B u r"
                                       << "B" << 3 << 3;
        QTest::newRow("A B undo redo redo") << "A B u r r"
                                            << "-" << 3 << 3;
        QTest::newRow("A B undo C redo") << "A B u C r"
                                         << "-" << 3 << 3;
        QTest::newRow("A B undo C redo undo") << "A B u C r u"
                                              << "A" << 2 << 3;
        QTest::newRow("A B undo C undo undo") << "A B u C u u"
                                              << "S" << 1 << 3;
        QTest::newRow("undo past snapshot") << "A u u"
                                            << "-" << 1 << 2;
        QTest::newRow("undo all then redo") << "A B u u u r"
                                            << "A" << 2 << 3;
        QTest::newRow("reset then draw") << "A B x C"
                                         << "C" << 2 << 2;
        QTest::newRow("reset then undo") << "A B x C u"
                                         << "S" << 1 << 2;
        QTest::newRow("reset then redo") << "A B u x r"
                                         << "-" << 1 << 1;
    }
    void sequences() {
        QFETCH(QString, ops);
        QFETCH(QString, shown);
        QFETCH(int, count);
        QFETCH(int, top);
        const QHash<QString, QImage> pictures{{"S", snap}, {"A", a}, {"B", b}, {"C", c}};
        History h(32);
        h.start(snap);
        std::optional<QImage> last;
        for (const QString& op : ops.split(' ')) {
            if (op == "u")
                last = h.undo();
            else if (op == "r")
                last = h.redo();
            else if (op == "x")
                h.resetToFirst();
            else {
                h.push(pictures[op]);
                last = pictures[op];
            }
            checkInvariant(h);
        }
        if (shown == "-") {
            QVERIFY(!last);
        } else {
            QVERIFY(last);
            QVERIFY(same(*last, pictures[shown]));
            QVERIFY(same(h.ReadP(h.count()), pictures[shown]));
        }
        QCOMPARE(h.count(), count);
        QCOMPARE(h.top(), top);
    }

    // Every stored entry reads back exactly, in any order, whatever the tile size.
    void lossless_data() {
        QTest::addColumn<int>("tile");
        QTest::newRow("8") << 8;
        QTest::newRow("32") << 32;
        QTest::newRow("64") << 64;
        QTest::newRow("larger than picture") << 512;
    }
    void lossless() {
        QFETCH(int, tile);
        History h(tile);
        h.start(snap);
        std::vector<QImage> all{snap};
        QImage cur = snap;
        QRandomGenerator rng(7);
        for (int i = 0; i < 6; ++i) {
            // Alternate noisy strokes (stored as they are) and flat ones (packed).
            QImage next = cur.copy();
            QPainter p(&next);
            const QRect r(rng.bounded(size.width()), rng.bounded(size.height()), 70, 45);
            if (i % 2)
                p.drawImage(r.topLeft(), noisy(r.size(), 100 + i));
            else
                p.fillRect(r, QColor::fromRgb(rng.generate()));
            p.end();
            h.push(next);
            all.push_back(next);
            cur = next;
        }
        for (int n : {3, 1, 7, 2, 6, 4, 5, 1})
            QVERIFY2(same(h.ReadP(n), all[std::size_t(n - 1)]), qPrintable(QString::number(n)));
        while (auto p = h.undo())
            QVERIFY(same(*p, all[std::size_t(h.count() - 1)]));
        while (auto p = h.redo())
            QVERIFY(same(*p, all[std::size_t(h.count() - 1)]));
        QCOMPARE(h.count(), 7);
    }

    void smallStrokeCostsLittle() {
        const QImage big = noisy(QSize(640, 480), 3);
        History h(64);
        h.start(big);
        const std::size_t before = h.storedBytes();
        QCOMPARE(before, std::size_t(big.sizeInBytes()));       // the snapshot's own pixels
        h.push(stroked(big, QRect(100, 100, 20, 20), Qt::red)); // within one tile
        const std::size_t added = h.storedBytes() - before;
        QVERIFY2(added <= 64 * 64 * 4, qPrintable(QString::number(added)));
        QVERIFY(added > 0);
    }

    void unchangedPushSharesEverything() {
        History h(64);
        h.start(snap);
        const std::size_t before = h.storedBytes();
        h.push(snap.copy());
        QCOMPARE(h.storedBytes(), before);
        QCOMPARE(h.count(), 2);
    }

    void snapshotIsNotTouchedByLaterDrawing() {
        QImage shot = snap.copy();
        History h(32);
        h.start(shot);
        shot.fill(Qt::black); // the caller draws on its copy of the picture
        QVERIFY(same(h.ReadP(1), snap));
    }

    // A reloaded editor starts a new history: no undo reaches the earlier pictures.
    void reloadNeverReachesOlderPictures() {
        History first(32);
        first.start(snap);
        first.push(a);
        first.push(b);
        const QImage other = noisy(size, 9);
        History reloaded(32);
        reloaded.start(other);
        QVERIFY(!reloaded.undo());
        QVERIFY(!reloaded.redo());
        QVERIFY(same(reloaded.ReadP(1), other));
        QCOMPARE(reloaded.top(), 1);
        // Restarting the same object forgets too.
        first.start(other);
        QCOMPARE(first.top(), 1);
        QVERIFY(!first.redo());
        QVERIFY(same(first.ReadP(1), other));
    }
};

QTEST_APPLESS_MAIN(TestHistory)
#include "test_history.moc"
