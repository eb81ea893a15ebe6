// The drawing tools against a plain surface: what a press, moves and a release draw,
// where (preview on the screen, stroke in the working image) and whether the stroke
// becomes a step of the history.
#include "snapshot/surface.h"
#include "snapshot/tool.h"
#include "snapshot/tooltable.h"

#include <QtTest>

using namespace kv;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRectF kSelection(20, 20, 100, 80); // far edges at 120 and 100

QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite) box |= QRect(x, y, 1, 1);
    return box;
}

bool hasPureRed(const QImage& img) {
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 0, 0)) return true;
    return false;
}

QImage white() {
    QImage img(200, 150, QImage::Format_RGB32);
    img.fill(kWhite);
    return img;
}

} // namespace

class TestTools : public QObject {
    Q_OBJECT
private slots:
    void stroke_data() {
        QTest::addColumn<ToolKind>("kind");
        QTest::addColumn<QList<QPoint>>("path"); // press, moves, release
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("penSize");   // the tool's size button
        QTest::addColumn<QRect>("preview"); // ink on the screen after the last move
        QTest::addColumn<int>("end");       // StrokeEnd of the release
        QTest::addColumn<QRect>("stroke");  // ink in the working image after it
        const int L = kLeftButton, R = kRightButton;
        const int keep = int(StrokeEnd::Commit), drop = int(StrokeEnd::Dropped);
        const QList<QPoint> beyond{{30, 30}, {90, 90}, {200, 140}, {200, 140}};
        const QRect clipped(QPoint(30, 30), QPoint(120, 100));
        QTest::newRow("rectangle held to the selection")
            << ToolKind::Rectangle << beyond << L << 0 << clipped << keep << clipped;
        QTest::newRow("rectangle, right button")
            << ToolKind::Rectangle << beyond << R << 0 << clipped << keep << clipped;
        QTest::newRow("rectangle, 4 pixels")
            << ToolKind::Rectangle << QList<QPoint>{{40, 40}, {80, 70}, {80, 70}} << L << 1
            << QRect(QPoint(38, 38), QPoint(81, 71)) << keep
            << QRect(QPoint(38, 38), QPoint(81, 71));
        QTest::newRow("rectangle click: a dot, not kept")
            << ToolKind::Rectangle << QList<QPoint>{{50, 50}} << L << 0 << QRect() << drop
            << QRect(50, 50, 1, 1);
        QTest::newRow("ellipse in its box")
            << ToolKind::Ellipse << QList<QPoint>{{80, 70}, {40, 40}, {30, 30}} << L << 0
            << QRect(40, 40, 40, 30) << keep << QRect(30, 30, 50, 40);
        QTest::newRow("arrow with its head")
            << ToolKind::Arrow << QList<QPoint>{{30, 50}, {60, 50}, {90, 50}} << L << 0
            << QRect(QPoint(30, 45), QPoint(60, 55)) << keep
            << QRect(QPoint(30, 45), QPoint(90, 55));
        QTest::newRow("arrow without length")
            << ToolKind::Arrow << QList<QPoint>{{40, 40}, {40, 40}} << L << 0 << QRect() << drop
            << QRect();
        QTest::newRow("brush leaves the selection")
            << ToolKind::Brush << QList<QPoint>{{30, 60}, {150, 60}, {150, 60}} << L << 2
            << QRect(QPoint(27, 57), QPoint(152, 62)) << keep
            << QRect(QPoint(27, 57), QPoint(152, 62));
        QTest::newRow("brush click is kept")
            << ToolKind::Brush << QList<QPoint>{{30, 60}} << L << 2 << QRect() << keep << QRect();
        QTest::newRow("brush, right button paints nothing")
            << ToolKind::Brush << QList<QPoint>{{30, 60}, {150, 60}, {150, 60}} << R << 2 << QRect()
            << drop << QRect();
    }
    void stroke() {
        QFETCH(ToolKind, kind);
        QFETCH(QList<QPoint>, path);
        QFETCH(int, button);
        QFETCH(int, penSize);
        QFETCH(QRect, preview);
        QFETCH(int, end);
        QFETCH(QRect, stroke);
        Surface surface;
        surface.load(white());
        ToolOptions options;
        options.penIndex[std::size_t(penSlotOf(kind))] = std::int16_t(penSize);
        ToolContext c{surface, options, kSelection};
        const ToolInfo& info = *toolInfo(kind);
        auto tool = info.make(info);
        QCOMPARE(tool->kind(), kind);
        QVERIFY(tool->press(c, path.first()));
        for (int i = 1; i + 1 < path.size(); ++i)
            tool->move(c, button, path[i]);
        QCOMPARE(inkBox(surface.screen()), preview);
        if (kind != ToolKind::Brush) QCOMPARE(inkBox(surface.working()), QRect());
        surface.setPersistent(true);
        QCOMPARE(int(tool->release(c, button, path.last())), end);
        QCOMPARE(inkBox(surface.working()), stroke);
        // Nothing reaches the committed picture before the editor commits.
        QCOMPARE(inkBox(surface.committed()), QRect());
        // In the options' colour.
        if (stroke.isValid()) QVERIFY(hasPureRed(surface.working()));
    }

    // Only a press strictly inside the selection starts a stroke, whatever the tool.
    void pressStartsOnlyInside_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("starts");
        QTest::newRow("inside") << QPoint(21, 99) << true;
        QTest::newRow("on the left edge") << QPoint(20, 50) << false;
        QTest::newRow("on the bottom edge") << QPoint(50, 100) << false;
        QTest::newRow("outside") << QPoint(150, 50) << false;
    }
    void pressStartsOnlyInside() {
        QFETCH(QPoint, at);
        QFETCH(bool, starts);
        for (const ToolInfo& t : toolTable()) {
            Surface surface;
            surface.load(white());
            ToolOptions options;
            ToolContext c{surface, options, kSelection};
            auto tool = t.make(t);
            QCOMPARE(tool->press(c, at), starts);
            // A stroke previews on the screen only; nothing else changes.
            QCOMPARE(surface.persistent(), !starts);
            if (starts) QCOMPARE(tool->start(), QPointF(at));
        }
    }

    // The text tool draws nothing itself: its first release asks for the box, the
    // next one, with the box open, for the typed text.
    void textToolAsksForTheBox() {
        Surface surface;
        surface.load(white());
        ToolOptions options;
        ToolContext c{surface, options, kSelection};
        const ToolInfo& info = *toolInfo(ToolKind::Text);
        auto tool = info.make(info);
        QVERIFY(tool->press(c, QPoint(50, 50)));
        tool->move(c, kLeftButton, QPoint(70, 70));
        surface.setPersistent(true);
        QCOMPARE(tool->release(c, kLeftButton, QPoint(70, 70)), StrokeEnd::OpenTextBox);
        c.textBoxOpen = true;
        QCOMPARE(tool->release(c, kLeftButton, QPoint(80, 80)), StrokeEnd::DrawText);
        QCOMPARE(inkBox(surface.screen()), QRect());
    }
};

QTEST_MAIN(TestTools)
#include "test_tools.moc"
