// Numbered step markers: where the circle lands, which colour the number takes, the
// pointer line, and how the numbers follow the history.
#include "snapshot/stepnumber.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace kv;

class TestStepNumber : public QObject {
    Q_OBJECT
private slots:
    void diameter_data();
    void diameter();
    void digitColour_data();
    void digitColour();
    void centredOnTheClick_data();
    void centredOnTheClick();
    void pointerLine();
    void counting_data();
    void counting();
};

namespace {

const QRgb kGround = qRgb(0, 255, 0); // neither a marker's colour nor a digit's

QImage drawn(const StepMarker& m, QSize size = QSize(160, 160)) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(kGround);
    QPainter p(&img);
    drawStepMarker(p, m);
    return img;
}

} // namespace

void TestStepNumber::diameter_data() {
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("diameter");
    QTest::newRow("small pen") << 1 << 20;
    QTest::newRow("medium pen") << 4 << 32;
    QTest::newRow("large pen") << 6 << 40;
    QTest::newRow("no width") << 0 << 20;
    QTest::newRow("wider than any button") << 12 << 40;
}

void TestStepNumber::diameter() {
    QFETCH(int, penWidth);
    QFETCH(int, diameter);
    QCOMPARE(stepMarkerDiameter(penWidth), diameter);
}

void TestStepNumber::digitColour_data() {
    QTest::addColumn<QColor>("fill");
    QTest::addColumn<QColor>("digit");
    const QColor white(255, 255, 255), black(0, 0, 0);
    // Pure red's luminance is 0.2126: 5.25:1 against black, 4.0:1 against white.
    QTest::newRow("red") << QColor(255, 0, 0) << black;
    QTest::newRow("blue") << QColor(0, 0, 255) << white;
    QTest::newRow("yellow") << QColor(255, 255, 0) << black;
    QTest::newRow("dark green") << QColor(0, 128, 0) << white;
    QTest::newRow("mid grey") << QColor(128, 128, 128) << black;
    QTest::newRow("dark grey") << QColor(100, 100, 100) << white;
    QTest::newRow("black") << QColor(0, 0, 0) << white;
    QTest::newRow("white") << QColor(255, 255, 255) << black;
}

void TestStepNumber::digitColour() {
    QFETCH(QColor, fill);
    QFETCH(QColor, digit);
    QCOMPARE(stepDigitColour(fill), digit);
    QVERIFY(qAbs(contrastRatio(Qt::white, Qt::black) - 21.0) < 1e-9);
    // The painted number has that colour.
    const StepMarker m{stepMarkerCentre({80, 80}), 8, 32, fill, std::nullopt};
    const QImage img = drawn(m);
    int digitPixels = 0;
    for (int y = 60; y < 100; ++y)
        for (int x = 60; x < 100; ++x)
            digitPixels += img.pixel(x, y) == digit.rgb();
    QVERIFY2(digitPixels > 20, qPrintable(QString::number(digitPixels)));
}

void TestStepNumber::centredOnTheClick_data() {
    QTest::addColumn<QPointF>("click");
    QTest::addColumn<int>("diameter");
    QTest::addColumn<int>("number");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("1, small, red") << QPointF(80, 80) << 20 << 1 << QColor(255, 0, 0);
    QTest::newRow("7, medium, blue") << QPointF(63, 91) << 32 << 7 << QColor(0, 0, 255);
    QTest::newRow("12, large, yellow") << QPointF(77.6, 70.3) << 40 << 12 << QColor(255, 255, 0);
    QTest::newRow("99, small, black") << QPointF(80, 80) << 20 << 99 << QColor(0, 0, 0);
    QTest::newRow("100, small, white") << QPointF(81, 79) << 20 << 100 << QColor(255, 255, 255);
}

void TestStepNumber::centredOnTheClick() {
    QFETCH(QPointF, click);
    QFETCH(int, diameter);
    QFETCH(int, number);
    QFETCH(QColor, colour);
    const StepMarker m{stepMarkerCentre(click), number, diameter, colour, std::nullopt};
    const QImage img = drawn(m);
    // The marker's pixels (circle and number together) are centred on the clicked pixel;
    // each counts by how much the marker covers it. Within the circle's rim only fill and
    // number blend; the rim blends the fill with the ground.
    const QRgb fill = colour.rgb(), digit = stepDigitColour(colour).rgb();
    const QPoint pixel(int(std::floor(click.x())), int(std::floor(click.y())));
    const auto spread = [](QRgb a, QRgb b) {
        return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                         std::abs(qBlue(a) - qBlue(b))});
    };
    double sx = 0, sy = 0, n = 0;
    QRect digits;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            const bool inner = std::hypot(x - pixel.x(), y - pixel.y()) < diameter / 2.0 - 1.5;
            const double cover =
                inner ? 1.0 : std::min(1.0, double(spread(c, kGround)) / spread(fill, kGround));
            sx += cover * x, sy += cover * y, n += cover;
            if (inner && spread(c, digit) < spread(c, fill)) digits |= QRect(x, y, 1, 1);
        }
    QVERIFY(n > 0.7 * M_PI * diameter * diameter / 4);
    QVERIFY2(qAbs(sx / n - pixel.x()) < 0.05 && qAbs(sy / n - pixel.y()) < 0.05,
             qPrintable(QString("centroid %1, %2").arg(sx / n).arg(sy / n)));
    // The number is in the middle and inside the circle, whatever its digits.
    QVERIFY(!digits.isEmpty());
    const QPointF middle = QRectF(digits).center() - QPointF(0.5, 0.5);
    QVERIFY2(qAbs(middle.x() - pixel.x()) <= 1.0 && qAbs(middle.y() - pixel.y()) <= 1.0,
             qPrintable(QString("number at %1, %2").arg(middle.x()).arg(middle.y())));
    const double reach = std::hypot(digits.width(), digits.height()) / 2;
    QVERIFY2(reach < diameter / 2.0, qPrintable(QString::number(reach)));
}

void TestStepNumber::pointerLine() {
    const QPointF centre = stepMarkerCentre({50, 50});
    const auto line = stepPointerLine(centre, 20, {110.5, 50.5});
    QVERIFY(line);
    QCOMPARE(line->p1(), QPointF(60.5, 50.5));
    QCOMPARE(line->p2(), QPointF(110.5, 50.5));
    QVERIFY(!stepPointerLine(centre, 20, {55, 55}));
    QVERIFY(!stepPointerLine(centre, 20, {60.5, 50.5}));

    // Drawn: the line reaches the release point, and nothing is painted outside the
    // bounds the editor repaints.
    const StepMarker m{centre, 3, 20, QColor(0, 0, 255), QPointF(130.5, 140.5)};
    const QImage img = drawn(m);
    QCOMPARE(img.pixel(90, 95), QColor(0, 0, 255).rgb());
    QCOMPARE(img.pixel(130, 140), QColor(0, 0, 255).rgb());
    QCOMPARE(img.pixel(136, 146), kGround);
    const QRect bounds = stepMarkerBounds(m);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kGround && !bounds.contains(x, y))
                QFAIL(qPrintable(QString("(%1, %2) outside the bounds").arg(x).arg(y)));
}

void TestStepNumber::counting_data() {
    // m: a marker committed, s: another stroke committed, u: undo, r: redo, h: a handle
    // pressed (the history goes back to the snapshot), o: the editor opened anew.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("next");
    QTest::newRow("first") << "" << 1;
    QTest::newRow("three placed") << "mmm" << 4;
    QTest::newRow("last undone") << "mmmu" << 3;
    QTest::newRow("undone and placed again") << "mmmum" << 4;
    QTest::newRow("undone and redone") << "mmmuur" << 3;
    QTest::newRow("redo beyond the top") << "mmurrr" << 3;
    QTest::newRow("other strokes do not count") << "msmss" << 3;
    QTest::newRow("undoing another stroke") << "mmsu" << 3;
    QTest::newRow("a stroke drops the redone markers") << "mmmuuus" << 1;
    QTest::newRow("undo past the snapshot") << "mmuuuu" << 1;
    QTest::newRow("after a handle press") << "mmh" << 1;
    QTest::newRow("after a handle press, placed") << "mmhmm" << 3;
    QTest::newRow("opened anew") << "mmmo" << 1;
    QTest::newRow("opened anew, placed") << "mmomr" << 2;
}

void TestStepNumber::counting() {
    QFETCH(QString, steps);
    QFETCH(int, next);
    StepCounter counter;
    // The history's count and top, as the editor keeps them.
    int count = 1, top = 1;
    for (const QChar step : steps) {
        switch (step.toLatin1()) {
        case 'm':
        case 's':
            top = ++count;
            counter.pushed(count, step == 'm');
            break;
        case 'u':
            count = std::max(1, count - 1);
            break;
        case 'r':
            count = std::min(top, count + 1);
            break;
        case 'h':
            count = top = 1;
            break;
        case 'o':
            count = top = 1;
            counter.restart();
            break;
        }
    }
    QCOMPARE(counter.next(count), next);
}

QTEST_MAIN(TestStepNumber)
#include "test_stepnumber.moc"
