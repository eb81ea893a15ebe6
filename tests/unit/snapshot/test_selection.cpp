#include "snapshot/selection.h"

#include <QTest>

using namespace kv;

Q_DECLARE_METATYPE(kv::SelBox)
Q_DECLARE_METATYPE(kv::SelRect)

namespace QTest {
template <> char* toString(const kv::SelBox& b) {
    return qstrdup(QByteArray("SelBox(") + QByteArray::number(b.left) + ", " +
                   QByteArray::number(b.top) + ", " + QByteArray::number(b.width) + ", " +
                   QByteArray::number(b.height) + ")");
}
template <> char* toString(const kv::SelRect& r) {
    return qstrdup(QByteArray("SelRect(") + QByteArray::number(r.left) + ", " +
                   QByteArray::number(r.top) + ", " + QByteArray::number(r.right) + ", " +
                   QByteArray::number(r.bottom) + ")");
}
} // namespace QTest

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void selRectRounding_data() {
        QTest::addColumn<SelBox>("box");
        QTest::addColumn<SelRect>("rect");
        QTest::newRow("whole") << SelBox{10, 20, 30, 40} << SelRect{10, 20, 40, 60};
        // Halves go to the even neighbour, each edge on its own.
        QTest::newRow("halves down") << SelBox{10.5f, 20.5f, 3, 2} << SelRect{10, 20, 14, 22};
        QTest::newRow("halves up") << SelBox{11.5f, 21.5f, 2, 3} << SelRect{12, 22, 14, 24};
        QTest::newRow("sum rounded") << SelBox{0.4f, 0.4f, 0.4f, 0.2f} << SelRect{0, 0, 1, 1};
        QTest::newRow("empty") << SelBox{5, 6, 0, 0} << SelRect{5, 6, 5, 6};
    }
    void selRectRounding() {
        QFETCH(SelBox, box);
        QFETCH(SelRect, rect);
        QCOMPARE(selRectOf(box), rect);
    }

    void selRectContains() {
        const SelRect r{10, 20, 14, 22};
        QVERIFY(r.contains(10, 20));
        QVERIFY(r.contains(13, 21));
        QVERIFY(!r.contains(14, 21)); // right is exclusive
        QVERIFY(!r.contains(13, 22)); // bottom is exclusive
        QVERIFY(!r.contains(9, 20));
        QVERIFY(!(SelRect{5, 6, 5, 6}.contains(5, 6))); // a zero-size selection holds nothing
    }

    void strictInside() {
        const SelBox b{10, 10, 20, 20};
        QVERIFY(strictlyInside(b, 10.5f, 29.5f));
        QVERIFY(!strictlyInside(b, 10, 15)); // on the outline
        QVERIFY(!strictlyInside(b, 15, 30));
        QVERIFY(!strictlyInside(SelBox{10, 10, 0, 0}, 10, 10));
    }

    void rubberBand_data() {
        QTest::addColumn<float>("x");
        QTest::addColumn<float>("y");
        QTest::addColumn<SelBox>("expected");
        const SelBox prev{1, 2, 3, 4};
        // Anchor (100, 100).
        QTest::newRow("down right") << 150.f << 130.f << SelBox{100, 100, 50, 30};
        QTest::newRow("down left") << 60.f << 130.f << SelBox{60, 100, 40, 30};
        QTest::newRow("up right") << 150.f << 70.f << SelBox{100, 70, 50, 30};
        QTest::newRow("up left") << 60.f << 70.f << SelBox{60, 70, 40, 30};
        QTest::newRow("one by one") << 101.f << 101.f << SelBox{100, 100, 1, 1};
        QTest::newRow("anchor row") << 150.f << 100.f << prev;
        QTest::newRow("anchor column") << 100.f << 10.f << prev;
        QTest::newRow("anchor") << 100.f << 100.f << prev;
    }
    void rubberBand() {
        QFETCH(float, x);
        QFETCH(float, y);
        QFETCH(SelBox, expected);
        QCOMPARE(kv::rubberBand(SelBox{1, 2, 3, 4}, 100, 100, x, y), expected);
    }

    void handlePositions() {
        const auto at = kv::handlePositions(SelBox{100, 50, 41, 21});
        const QPointF expected[] = {{98, 48}, {118.5, 48}, {139, 48}, {98, 58.5},
                                    {98, 69}, {118.5, 69}, {139, 69}, {139, 58.5}};
        for (int i = 0; i < kHandleCount; ++i)
            QCOMPARE(at[std::size_t(i)], expected[i]);
    }

    void handleCursors() {
        QCOMPARE(handleCursor(0), Qt::SizeFDiagCursor);
        QCOMPARE(handleCursor(6), Qt::SizeFDiagCursor);
        QCOMPARE(handleCursor(2), Qt::SizeBDiagCursor);
        QCOMPARE(handleCursor(4), Qt::SizeBDiagCursor);
        QCOMPARE(handleCursor(1), Qt::SizeVerCursor);
        QCOMPARE(handleCursor(5), Qt::SizeVerCursor);
        QCOMPARE(handleCursor(3), Qt::SizeHorCursor);
        QCOMPARE(handleCursor(7), Qt::SizeHorCursor);
    }

    void resize_data() {
        QTest::addColumn<int>("handle");
        QTest::addColumn<QPoint>("pointer");
        QTest::addColumn<SelBox>("expected");
        // Pressed on the selection (100, 100)-(200, 180).
        const SelBox same{100, 100, 100, 80};
        QTest::newRow("0 left and top") << 0 << QPoint(90, 80) << SelBox{92, 82, 108, 98};
        QTest::newRow("1 top") << 1 << QPoint(10, 80) << SelBox{100, 82, 100, 98};
        QTest::newRow("2 top and right") << 2 << QPoint(250, 80) << SelBox{100, 82, 152, 98};
        QTest::newRow("3 left") << 3 << QPoint(50, 5) << SelBox{52, 100, 148, 80};
        QTest::newRow("4 left and bottom") << 4 << QPoint(50, 300) << SelBox{52, 100, 148, 200};
        QTest::newRow("5 bottom") << 5 << QPoint(7, 300) << SelBox{100, 100, 100, 200};
        QTest::newRow("6 right and bottom") << 6 << QPoint(300, 300) << SelBox{100, 100, 200, 200};
        QTest::newRow("7 right") << 7 << QPoint(300, 7) << SelBox{100, 100, 200, 80};
        // Never flipped over: past the opposite edge the selection stays as it was.
        QTest::newRow("3 past right") << 3 << QPoint(250, 140) << same;
        QTest::newRow("0 past bottom") << 0 << QPoint(150, 200) << same;
        QTest::newRow("6 past left") << 6 << QPoint(50, 150) << same;
        QTest::newRow("5 above top") << 5 << QPoint(150, 99) << same;
        QTest::newRow("3 onto right edge") << 3 << QPoint(198, 140) << SelBox{200, 100, 0, 80};
    }
    void resize() {
        QFETCH(int, handle);
        QFETCH(QPoint, pointer);
        QFETCH(SelBox, expected);
        const SelBox current{100, 100, 100, 80};
        QCOMPARE(resizeByHandle(handle, current, {100, 100, 200, 180}, pointer), expected);
    }

    void move_data() {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<SelBox>("expected");
        // Origin (100, 100), pressed at (150, 150), a 200 x 100 selection, 800 x 600 screen.
        QTest::newRow("free") << QPointF(160, 130) << SelBox{110, 80, 200, 100};
        QTest::newRow("left edge") << QPointF(10, 150) << SelBox{0, 100, 200, 100};
        QTest::newRow("top edge") << QPointF(150, 10) << SelBox{100, 0, 200, 100};
        QTest::newRow("right edge") << QPointF(900, 150) << SelBox{600, 100, 200, 100};
        QTest::newRow("bottom edge") << QPointF(150, 900) << SelBox{100, 500, 200, 100};
        QTest::newRow("corner") << QPointF(-500, -500) << SelBox{0, 0, 200, 100};
    }
    void move() {
        QFETCH(QPointF, pointer);
        QFETCH(SelBox, expected);
        QCOMPARE(moveSelection(SelBox{5, 5, 200, 100}, {100, 100}, {150, 150}, pointer,
                               QRect(0, 0, 800, 600)),
                 expected);
    }

    void toolBar_data() {
        QTest::addColumn<SelBox>("box");
        QTest::addColumn<QPointF>("expected");
        // Screen height 1080, tool bar 265 x 26.
        QTest::newRow("below") << SelBox{500, 300, 400, 200} << QPointF(635, 504);
        QTest::newRow("just fits below") << SelBox{500, 850, 400, 200} << QPointF(635, 1054);
        QTest::newRow("inside at bottom") << SelBox{500, 851, 400, 200} << QPointF(635, 1021);
        QTest::newRow("left edge") << SelBox{10, 300, 100, 100} << QPointF(0, 404);
        QTest::newRow("zero size click") << SelBox{400, 300, 0, 0} << QPointF(135, 304);
    }
    void toolBar() {
        QFETCH(SelBox, box);
        QFETCH(QPointF, expected);
        QCOMPARE(placeToolBar(box, QSizeF(265, 26), QRect(0, 0, 1920, 1080)), expected);
    }

    void texts_data() {
        QTest::addColumn<float>("w");
        QTest::addColumn<float>("h");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 320.f << 200.f << QStringLiteral("区域大小:320*200");
        QTest::newRow("one") << 1.f << 1.f << QStringLiteral("区域大小:1*1");
        QTest::newRow("zero") << 0.f << 0.f << QStringLiteral("区域大小:0*0");
        QTest::newRow("fractions") << 0.5f << 12.25f << QStringLiteral("区域大小:0.5*12.25");
        QTest::newRow("single precision") << 0.1f << 1919.f << QStringLiteral("区域大小:0.1*1919");
    }
    void texts() {
        QFETCH(float, w);
        QFETCH(float, h);
        QFETCH(QString, text);
        QCOMPARE(sizeText(w, h), text);
    }

    void colours() {
        QCOMPARE(colourText(30 | 144 << 8 | 255 << 16), QStringLiteral("当前RGB:(30,144,255)"));
        QCOMPARE(colourText(0), QStringLiteral("当前RGB:(0,0,0)"));
        QCOMPARE(colourText(0xffffff), QStringLiteral("当前RGB:(255,255,255)"));
        QCOMPARE(colourText(-1), QStringLiteral("当前RGB:(-1,0,0)"));
    }
};

QTEST_APPLESS_MAIN(TestSelection)
#include "test_selection.moc"
