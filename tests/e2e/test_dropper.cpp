// The dropper picks the colour another program shows: a window of a known colour,
// owned by this test process, is picked by dragging the dropper onto it.
#include "e2e/support/desktop.h"

#include <QPalette>
#include <QWidget>
#include <QtTest>

namespace {

// Main window points, in its own pixels (the designed twips divided by 15).
const QPoint kColourTab(65, 128);   // "取色"
const QPoint kDropperBox(376, 224); // Picture1's middle
const QRect kDropperRect(360, 208, 32, 32);
const QPoint kHtmlBox(512, 158); // TxtClrVal 0

QString htmlOf(QColor c) {
    return c.name(QColor::HexRgb).toUpper();
}

QString xy(int v) {
    return QString::number(v);
}

} // namespace

class TestDropper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void dragOntoAnotherProgramsWindow_data();
    void dragOntoAnotherProgramsWindow();

private:
    e2e::Program program_;
    std::unique_ptr<QWidget> swatch_;
};

void TestDropper::initTestCase() {
    QVERIFY(program_.start());
    QVERIFY(!program_.mainWindow().isEmpty());
    program_.click(kColourTab);
    QTest::qWait(300);

    swatch_ = std::make_unique<QWidget>();
    swatch_->setWindowTitle(QStringLiteral("kolvane test swatch"));
    swatch_->setAutoFillBackground(true);
    swatch_->setGeometry(1300, 300, 320, 240);
    swatch_->show();
    QVERIFY(QTest::qWaitForWindowExposed(swatch_.get()));
    QTest::qWait(300);
}

void TestDropper::cleanupTestCase() {
    swatch_.reset();
    program_.stop();
}

void TestDropper::dragOntoAnotherProgramsWindow_data() {
    QTest::addColumn<QColor>("colour");
    QTest::newRow("sea green") << QColor(0x3C, 0x8A, 0x5F);
    QTest::newRow("odd channels") << QColor(0x01, 0xFE, 0x7F);
    QTest::newRow("black") << QColor(0, 0, 0);
}

void TestDropper::dragOntoAnotherProgramsWindow() {
    QFETCH(QColor, colour);
    QPalette pal = swatch_->palette();
    pal.setColor(QPalette::Window, colour);
    swatch_->setPalette(pal);
    swatch_->update();
    const QPoint target = swatch_->mapToGlobal(swatch_->rect().center());
    // Wait until the X server shows the swatch in its colour.
    QVERIFY(e2e::waitFor([&] {
        const QImage screen = e2e::grabScreen();
        return screen.pixel(target) == colour.rgb();
    }));
    const QImage before = e2e::grabScreen().copy(
        QRect(program_.toScreen(kDropperRect.topLeft()), kDropperRect.size()));

    program_.moveTo(kDropperBox);
    e2e::xdotool({"mousedown", "1"});
    const QPoint from = program_.toScreen(kDropperBox);
    for (int step = 1; step <= 5; ++step) {
        const QPoint p = from + (target - from) * step / 5;
        e2e::xdotool({"mousemove", "--sync", xy(p.x()), xy(p.y())});
        QTest::qWait(40);
    }
    QTest::qWait(200);
    e2e::xdotool({"mouseup", "1"});
    QTest::qWait(200);

    program_.doubleClick(kHtmlBox);
    const QString expected = htmlOf(colour);
    e2e::waitFor([&] { return e2e::clipboardText() == expected; }, 5000);
    QCOMPARE(e2e::clipboardText(), expected);

    // The dropper icon is back in its box.
    QVERIFY(e2e::waitFor([&] {
        const QImage after = e2e::grabScreen().copy(
            QRect(program_.toScreen(kDropperRect.topLeft()), kDropperRect.size()));
        return after == before;
    }));
}

QTEST_MAIN(TestDropper)
#include "test_dropper.moc"
