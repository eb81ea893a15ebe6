// Stroke geometry (inside test, clipping, pen widths) and the pixels each stroke draws.
#include "snapshot/strokes.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace kv;

class TestStrokes : public QObject {
    Q_OBJECT
private slots:
    void strictlyInside_data();
    void strictlyInside();
    void clip_data();
    void clip();
    void penWidths_data();
    void penWidths();
    void rectangleHairLine();
    void rectangleWidePen();
    void ellipseBoundingBox_data();
    void ellipseBoundingBox();
    void brushSegmentWidth();
};

static const QRectF kSel(100, 50, 200, 100); // right edge 300, bottom edge 150

void TestStrokes::strictlyInside_data() {
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<bool>("inside");
    QTest::newRow("centre") << QPointF(200, 100) << true;
    QTest::newRow("just inside top-left") << QPointF(100.5, 50.5) << true;
    QTest::newRow("on left edge") << QPointF(100, 100) << false;
    QTest::newRow("on top edge") << QPointF(200, 50) << false;
    QTest::newRow("on right edge") << QPointF(300, 100) << false;
    QTest::newRow("on bottom edge") << QPointF(200, 150) << false;
    QTest::newRow("just inside bottom-right") << QPointF(299.9, 149.9) << true;
    QTest::newRow("outside") << QPointF(20, 20) << false;
}

void TestStrokes::strictlyInside() {
    QFETCH(QPointF, point);
    QFETCH(bool, inside);
    QCOMPARE(kv::strictlyInside(kSel, point), inside);
}

void TestStrokes::clip_data() {
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QPointF>("clipped");
    QTest::newRow("inside stays") << QPointF(150.5, 70.25) << QPointF(150.5, 70.25);
    QTest::newRow("left") << QPointF(40, 70) << QPointF(100, 70);
    QTest::newRow("right") << QPointF(400, 70) << QPointF(300, 70);
    QTest::newRow("above") << QPointF(150, 10) << QPointF(150, 50);
    QTest::newRow("below") << QPointF(150, 900) << QPointF(150, 150);
    QTest::newRow("above left") << QPointF(-5, -5) << QPointF(100, 50);
    QTest::newRow("below right") << QPointF(1000, 1000) << QPointF(300, 150);
    QTest::newRow("on the border") << QPointF(300, 150) << QPointF(300, 150);
}

void TestStrokes::clip() {
    QFETCH(QPointF, point);
    QFETCH(QPointF, clipped);
    QCOMPARE(clipToSelection(kSel, point), clipped);
}

void TestStrokes::penWidths_data() {
    QTest::addColumn<int>("sizeButton");
    QTest::addColumn<int>("width");
    QTest::newRow("small") << 0 << 1;
    QTest::newRow("medium") << 1 << 4;
    QTest::newRow("large") << 2 << 6;
}

void TestStrokes::penWidths() {
    QFETCH(int, sizeButton);
    QFETCH(int, width);
    QCOMPARE(penWidthOf(sizeButton), width);
}

static QImage white() {
    QImage img(400, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// The bounding box of the pixels that are not white.
static QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

void TestStrokes::rectangleHairLine() {
    QImage img = white();
    {
        QPainter p(&img);
        // Dragged from bottom-right to top-left: the same rectangle.
        drawRectangleStroke(p, QPointF(300, 150), QPointF(100, 50), 1, Qt::red);
    }
    QCOMPARE(inkBox(img), QRect(QPoint(100, 50), QPoint(300, 150)));
    const QRgb red = qRgb(255, 0, 0), w = qRgb(255, 255, 255);
    QCOMPARE(img.pixel(200, 50), red);
    QCOMPARE(img.pixel(200, 150), red);
    QCOMPARE(img.pixel(100, 100), red);
    QCOMPARE(img.pixel(300, 100), red);
    QCOMPARE(img.pixel(200, 51), w);
    QCOMPARE(img.pixel(101, 100), w);
    QCOMPARE(img.pixel(200, 100), w);
}

void TestStrokes::rectangleWidePen() {
    QImage img = white();
    {
        QPainter p(&img);
        drawRectangleStroke(p, QPointF(100, 50), QPointF(300, 150), 4, Qt::blue);
    }
    // Four pixels across, centred on the outline.
    for (int y = 46; y <= 55; ++y) {
        const bool ink = y >= 48 && y < 52;
        QCOMPARE(img.pixel(200, y) == qRgb(0, 0, 255), ink);
        QCOMPARE(img.pixel(200, y) == qRgb(255, 255, 255), !ink);
    }
}

void TestStrokes::ellipseBoundingBox_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("box");
    QTest::newRow("down right") << QPoint(100, 50) << QPoint(300, 150) << QRect(100, 50, 200, 100);
    QTest::newRow("up left") << QPoint(300, 150) << QPoint(100, 50) << QRect(100, 50, 200, 100);
    QTest::newRow("small") << QPoint(10, 10) << QPoint(14, 13) << QRect(10, 10, 4, 3);
    QTest::newRow("empty") << QPoint(10, 10) << QPoint(10, 40) << QRect();
}

void TestStrokes::ellipseBoundingBox() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, box);
    QImage img = white();
    {
        QPainter p(&img);
        drawEllipseStroke(p, from, to, 1, Qt::red);
    }
    QCOMPARE(inkBox(img), box);
    if (!box.isEmpty() && box.width() > 20) {
        // Only an outline: the centre stays untouched; the sides touch the box.
        QCOMPARE(img.pixel(box.center()), qRgb(255, 255, 255));
        QCOMPARE(img.pixel(box.left(), box.top() + box.height() / 2), qRgb(255, 0, 0));
    }
}

void TestStrokes::brushSegmentWidth() {
    QImage img = white();
    {
        QPainter p(&img);
        drawBrushSegment(p, QPointF(100, 100), QPointF(200, 100), 6, Qt::red);
    }
    // Six rows of full colour across the middle of the segment, nothing beside them.
    for (int y = 94; y <= 106; ++y) {
        const bool ink = y >= 97 && y < 103;
        QCOMPARE(img.pixel(150, y) == qRgb(255, 0, 0), ink);
        QCOMPARE(img.pixel(150, y) == qRgb(255, 255, 255), !ink);
    }
    // Round ends reach half the width beyond each end point.
    QVERIFY(img.pixel(98, 100) != qRgb(255, 255, 255));
    QCOMPARE(img.pixel(95, 100), qRgb(255, 255, 255));
}

QTEST_MAIN(TestStrokes)
#include "test_strokes.moc"
