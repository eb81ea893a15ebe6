// Rows packed on a second thread while earlier ones are written must come out
// whole, in order, with untouched bytes zero, and a failure must stop the output.
#include "imageio/rowpieces.h"

#include <QtTest>

#include <atomic>

using namespace kv;

namespace {

// Every row but its last byte, which is left as padding.
uchar patternByte(int row, qsizetype column) {
    return uchar(row * 7 + column * 13 + 1);
}

bool packPattern(qsizetype rowBytes, int first, int n, uchar* to) {
    for (int r = 0; r < n; ++r)
        for (qsizetype c = 0; c + 1 < rowBytes; ++c)
            to[rowBytes * r + c] = patternByte(first + r, c);
    return true;
}

QByteArray expected(int rows, qsizetype rowBytes) {
    QByteArray all(rows * rowBytes, '\0');
    for (int r = 0; r < rows; ++r)
        for (qsizetype c = 0; c + 1 < rowBytes; ++c)
            all[r * rowBytes + c] = char(patternByte(r, c));
    return all;
}

} // namespace

class TestRowPieces : public QObject {
    Q_OBJECT
private slots:
    void rowsComeOutWholeAndInOrder_data() {
        QTest::addColumn<int>("rows");
        QTest::addColumn<qsizetype>("rowBytes");
        QTest::newRow("no rows") << 0 << qsizetype(12);
        QTest::newRow("one piece") << 3 << qsizetype(10);
        QTest::newRow("pieces and a remainder") << 1000 << qsizetype(3001);
        QTest::newRow("whole pieces") << 1536 << qsizetype(2048);
        QTest::newRow("rows wider than a piece") << 3 << qsizetype(3 << 20);
    }
    void rowsComeOutWholeAndInOrder() {
        QFETCH(int, rows);
        QFETCH(qsizetype, rowBytes);
        QByteArray out;
        const bool ok = WriteRowsInPieces(
            rows, rowBytes,
            [&](int first, int n, uchar* to) { return packPattern(rowBytes, first, n, to); },
            [&](const char* data, qsizetype n) {
                out.append(data, n);
                return true;
            });
        QVERIFY(ok);
        QCOMPARE(out.size(), rows * rowBytes);
        QVERIFY(out == expected(rows, rowBytes));
    }

    // 3000 rows of 4000 bytes are 11 pieces of 262 rows and one of 118.
    void aFailureStopsTheOutput_data() {
        QTest::addColumn<int>("refusedPiece");
        QTest::addColumn<int>("unpackablePiece");
        QTest::addColumn<int>("piecesSent");
        QTest::newRow("the file refuses the first piece") << 0 << -1 << 0;
        QTest::newRow("the file refuses a middle piece") << 5 << -1 << 5;
        QTest::newRow("the file refuses the last piece") << 11 << -1 << 11;
        QTest::newRow("a middle piece cannot be packed") << -1 << 4 << 4;
        QTest::newRow("the first piece cannot be packed") << -1 << 0 << 0;
    }
    void aFailureStopsTheOutput() {
        QFETCH(int, refusedPiece);
        QFETCH(int, unpackablePiece);
        QFETCH(int, piecesSent);
        const qsizetype rowBytes = 4000;
        const int perPiece = (1 << 20) / 4000;
        int offered = 0, sent = 0;
        std::atomic<int> packedAfterFailure{0};
        std::atomic<bool> failed{false};
        const bool ok = WriteRowsInPieces(
            3000, rowBytes,
            [&](int first, int n, uchar* to) {
                if (failed) ++packedAfterFailure;
                if (first / perPiece == unpackablePiece) return false;
                return packPattern(rowBytes, first, n, to);
            },
            [&](const char*, qsizetype) {
                if (offered++ == refusedPiece) {
                    failed = true;
                    return false;
                }
                ++sent;
                return true;
            });
        QVERIFY(!ok);
        QCOMPARE(sent, piecesSent);
        QCOMPARE(offered, piecesSent + (refusedPiece >= 0 ? 1 : 0));
        // At most the one piece already being packed when the file refused.
        QVERIFY(packedAfterFailure <= 1);
    }
};

QTEST_MAIN(TestRowPieces)
#include "test_rowpieces.moc"
