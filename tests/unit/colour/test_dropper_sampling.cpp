// The dropper's sampling rules, with a screen that answers from a table.
#include "colour/screenpicker.h"
#include "support/fakescreen.h"

#include <QtTest>
#include <map>

using namespace kv;

namespace {

struct PointLess {
    bool operator()(QPoint a, QPoint b) const {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    }
};

// The shared fake screen answering single pixels from a table.
class TableScreen final : public kvtest::FakeScreen {
public:
    TableScreen() : kvtest::FakeScreen(QSize(100, 100)) {
        pixelAt = [this](QPoint p) -> std::optional<QRgb> {
            auto it = pixels.find(p);
            if (it == pixels.end()) return std::nullopt;
            return it->second;
        };
    }
    std::map<QPoint, QRgb, PointLess> pixels;
};

struct Rig {
    TableScreen screen;
    QPoint pointer;
    QList<QList<int>> colours;
    ScreenPicker picker{screen, [this] { return pointer; },
                        [this](int r, int g, int b) {
                            colours.append({r, g, b});
                        }};
};

} // namespace

class TestDropperSampling : public QObject {
    Q_OBJECT
private slots:
    void splitColourValue_data();
    void splitColourValue();
    void samplesOnlyWhilePicking();
    void restingPointerTakesOneSample();
    void failedReadSkipsTheSample();
    void newPickForgetsTheLastPoint();
};

void TestDropperSampling::splitColourValue_data() {
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::newRow("initial colour") << 16748574 << 30 << 144 << 255;
    QTest::newRow("black") << 0 << 0 << 0 << 0;
    QTest::newRow("white") << 0xFFFFFF << 255 << 255 << 255;
    QTest::newRow("blue first in the value") << 0x1005FF << 255 << 5 << 16;
    QTest::newRow("green only") << 0x00FF00 << 0 << 255 << 0;
}

void TestDropperSampling::splitColourValue() {
    QFETCH(int, value);
    const Channels c = SplitColourValue(value);
    QTEST(c.red, "red");
    QTEST(c.green, "green");
    QTEST(c.blue, "blue");
}

void TestDropperSampling::samplesOnlyWhilePicking() {
    Rig rig;
    rig.screen.pixels[{5, 6}] = qRgb(30, 144, 255);
    rig.pointer = {5, 6};
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.screen.pixelReads, 0);
    QVERIFY(rig.colours.isEmpty());

    rig.picker.BeginPick();
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours, (QList<QList<int>>{{30, 144, 255}}));

    rig.picker.EndPick();
    rig.pointer = {7, 7};
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours.size(), 1);
}

void TestDropperSampling::restingPointerTakesOneSample() {
    Rig rig;
    rig.screen.pixels[{1, 1}] = qRgb(1, 2, 3);
    rig.screen.pixels[{2, 1}] = qRgb(4, 5, 6);
    rig.pointer = {1, 1};
    rig.picker.BeginPick();
    rig.picker.PickScreenPixel();
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.screen.pixelReads, 1);
    rig.pointer = {2, 1};
    rig.picker.PickScreenPixel();
    rig.pointer = {1, 1};
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours, (QList<QList<int>>{{1, 2, 3}, {4, 5, 6}, {1, 2, 3}}));
    QCOMPARE(rig.picker.previousSample, std::optional<QPoint>(QPoint(1, 1)));
}

void TestDropperSampling::failedReadSkipsTheSample() {
    Rig rig;
    rig.screen.pixels[{3, 3}] = qRgb(9, 8, 7);
    rig.pointer = {3, 3};
    rig.picker.BeginPick();
    rig.picker.PickScreenPixel();
    rig.pointer = {-1, 40}; // nothing to read there
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours.size(), 1);
    QCOMPARE(rig.picker.previousSample, std::optional<QPoint>(QPoint(3, 3)));
    // Once the point reads again (the display answers), a move there samples.
    rig.screen.pixels[{-1, 40}] = qRgb(0, 0, 0);
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours.last(), (QList<int>{0, 0, 0}));
}

void TestDropperSampling::newPickForgetsTheLastPoint() {
    // The screen under the last point may have changed between two picks (another
    // palette shown there), so a press at that point samples again.
    Rig rig;
    rig.screen.pixels[{4, 4}] = qRgb(255, 0, 0);
    rig.pointer = {4, 4};
    rig.picker.BeginPick();
    rig.picker.PickScreenPixel();
    rig.picker.EndPick();
    rig.screen.pixels[{4, 4}] = qRgb(0, 0, 255);
    rig.picker.BeginPick();
    rig.picker.PickScreenPixel();
    QCOMPARE(rig.colours, (QList<QList<int>>{{255, 0, 0}, {0, 0, 255}}));
}

QTEST_APPLESS_MAIN(TestDropperSampling)
#include "test_dropper_sampling.moc"
