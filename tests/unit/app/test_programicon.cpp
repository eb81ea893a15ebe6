// The program icon at every size the desktop asks for: sharp upright edges on whole
// pixels, and the scalable picture drawing the same shape.
#include "app/artwork.h"
#include "app/programicon.h"

#include <QGuiApplication>
#include <QTest>
#include <QXmlStreamReader>

using namespace kv::artwork;

class TestProgramIcon : public QObject {
    Q_OBJECT
private slots:
    void sharpEdges_data() {
        QTest::addColumn<int>("size");
        for (int s : {15, 16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString("%1 px").arg(s))) << s;
    }
    // Along the upright sides every pixel is either wholly the rim or wholly
    // empty: no blurred column on either side, at any size.
    void sharpEdges() {
        QFETCH(int, size);
        const ProgramIconShape shape = programIconShape(size);
        const QImage icon = ProgramIcon(size).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(icon.size(), QSize(size, size));
        const int left = int(shape.rim[5].x()), right = int(shape.rim[1].x());
        QCOMPARE(double(left), shape.rim[5].x());
        QCOMPARE(size - right, left); // centred
        QVERIFY(right - left >= size * 0.8);
        for (int y = int(std::ceil(size / 4.0)) + 1; y < int(size * 3 / 4.0) - 1; ++y) {
            for (int x = 0; x < size; ++x) {
                const int alpha = qAlpha(icon.pixel(x, y));
                const bool inside = x >= left && x < right;
                QVERIFY2(alpha == (inside ? 255 : 0),
                         qPrintable(QString("(%1,%2) alpha %3").arg(x).arg(y).arg(alpha)));
            }
            // The rim's own columns carry the rim colour unmixed.
            QCOMPARE(icon.pixel(left, y), qRgb(16, 96, 190));
            QCOMPARE(icon.pixel(right - 1, y), qRgb(16, 96, 190));
        }
        // Pointed at top and bottom: the corners of the square stay empty.
        for (QPoint corner :
             {QPoint(0, 0), QPoint(size - 1, 0), QPoint(0, size - 1), QPoint(size - 1, size - 1)})
            QCOMPARE(qAlpha(icon.pixel(corner)), 0);
        // The heart is white, the wheel coloured.
        const QColor heart = icon.pixelColor(size / 2, size / 2);
        QVERIFY(std::min({heart.red(), heart.green(), heart.blue()}) >= 230);
    }

    // The SVG is well-formed and outlines the very hexagon of the 256 px picture.
    void scalableMatchesPixels() {
        const QByteArray svg = programIconSvg();
        QXmlStreamReader xml(svg);
        QStringList polygons;
        while (!xml.atEnd()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"polygon")
                polygons << xml.attributes().value("points").toString();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(polygons.size() >= 7); // clip, rim and six wedges
        const ProgramIconShape shape = programIconShape(256);
        QStringList rim;
        for (const QPointF& p : shape.rim)
            rim << QString("%1,%2").arg(p.x(), 0, 'f', 2).arg(p.y(), 0, 'f', 2);
        QVERIFY2(polygons.contains(rim.join(' ')), qPrintable(polygons.join('\n')));
    }
};

QTEST_MAIN(TestProgramIcon)
#include "test_programicon.moc"
