// The mosaic tool and the numbered marker's stroke on a real surface: previews stay on
// the screen, the release draws into the working image, and what a mosaic covered
// never reaches the picture.
#include "snapshot/history.h"
#include "snapshot/markstrokes.h"
#include "snapshot/mosaic.h"
#include "snapshot/mosaictool.h"
#include "snapshot/stepnumber.h"
#include "snapshot/stepnumbertool.h"
#include "snapshot/surface.h"

#include <QPainter>
#include <QtTest>

using namespace kv;

namespace {

const QRectF kSelection(20, 20, 160, 100); // far edges at 180 and 120

// A screen with text on it; `secret` is written where the mosaic will go.
QImage screen(const QString& secret) {
    QImage img(240, 160, QImage::Format_RGB32);
    img.fill(qRgb(236, 240, 244));
    QPainter p(&img);
    p.fillRect(QRect(0, 0, 240, 16), QColor(40, 90, 160));
    p.setPen(Qt::black);
    p.drawText(QPoint(30, 50), QStringLiteral("Password:"));
    p.drawText(QPoint(40, 82), secret);
    return img;
}

} // namespace

class TestMarkTools : public QObject {
    Q_OBJECT
    const ToolInfo mosaicRow{ToolKind::None, 0, "", nullptr, -1, ToolChooser::PenSize, 0.0,
                             makeMosaicTool};
    ToolOptions options;

    // Press, a move and the release of the mosaic tool from `from` to `to`.
    StrokeEnd mosaicDrag(Surface& s, QPointF from, QPointF to, QImage* preview = nullptr) {
        auto tool = makeMosaicTool(mosaicRow);
        ToolContext c{s, options, kSelection};
        if (!tool->press(c, from)) return StrokeEnd::Dropped;
        tool->move(c, kLeftButton, to);
        if (preview) *preview = s.screen().copy();
        s.setPersistent(true);
        return tool->release(c, kLeftButton, to);
    }

private slots:
    void blockSizes() {
        QCOMPARE(mosaicBlockSizeOf(0), 8);
        QCOMPARE(mosaicBlockSizeOf(1), 12);
        QCOMPARE(mosaicBlockSizeOf(2), 20);
        QCOMPARE(mosaicBlockSizeOf(-1), kDefaultMosaicBlockSize);
    }

    void mosaicToolHidesTheSecret() {
        Surface one, other;
        one.load(screen(QStringLiteral("hunter2")));
        other.load(screen(QStringLiteral("correct horse")));
        QImage preview;
        QCOMPARE(mosaicDrag(one, {36, 66}, {150, 90}, &preview), StrokeEnd::Commit);
        QCOMPARE(mosaicDrag(other, {36, 66}, {150, 90}), StrokeEnd::Commit);
        // The preview showed what the release drew, and only the release drew it.
        QCOMPARE(one.working(), preview);
        QCOMPARE(one.committed(), screen(QStringLiteral("hunter2")));
        // Different secrets, same surroundings: the same picture.
        QCOMPARE(one.working(), other.working());
        const QImage expected = [] {
            QImage img = screen(QStringLiteral("anything"));
            QPainter p(&img);
            drawMosaic(p, img.copy(), QRect(36, 66, 114, 24), kDefaultMosaicBlockSize);
            return img;
        }();
        QCOMPARE(one.working(), expected);
    }

    void mosaicToolEnds_data() {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<int>("end");
        QTest::addColumn<QRect>("covered");
        QTest::newRow("held to the selection")
            << QPointF(400, 400) << int(StrokeEnd::Commit) << QRect(100, 60, 80, 60);
        QTest::newRow("a click covers nothing")
            << QPointF(100, 60) << int(StrokeEnd::Dropped) << QRect();
    }
    void mosaicToolEnds() {
        QFETCH(QPointF, to);
        QFETCH(int, end);
        QFETCH(QRect, covered);
        Surface s;
        const QImage before = screen(QStringLiteral("secret"));
        s.load(before);
        QCOMPARE(int(mosaicDrag(s, {100, 60}, to)), end);
        QRect changed;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (s.working().pixel(x, y) != before.pixel(x, y)) changed |= QRect(x, y, 1, 1);
        QVERIFY(covered.contains(changed) || changed.isEmpty());
        if (!covered.isEmpty()) QVERIFY(changed.width() > covered.width() - 2);
    }

    void stepStroke() {
        Surface s;
        QImage ground(240, 160, QImage::Format_RGB32);
        ground.fill(Qt::white);
        s.load(ground);
        s.setPersistent(false);
        // A drag beyond the selection: the pointer line ends on its border.
        paintStepStroke(s, kSelection, {60, 60}, {400, 60}, 4, 6, QColor(0, 0, 255));
        QCOMPARE(s.working(), ground);
        const QImage shown = s.screen();
        QCOMPARE(shown.pixel(60, 43), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(170, 60), qRgb(0, 0, 255));
        QCOMPARE(shown.pixel(184, 60), qRgb(255, 255, 255));
        // A plain click: the circle alone.
        s.setPersistent(true);
        paintStepStroke(s, kSelection, {60, 60}, {60, 60}, 4, 1, QColor(0, 0, 255));
        QCOMPARE(s.working().pixel(60, 52), qRgb(0, 0, 255));
        QCOMPARE(s.working().pixel(60 + stepMarkerDiameter(1) / 2 + 2, 60), qRgb(255, 255, 255));
    }
    // As the editor runs it: the number from the counter, a commit per click, undo.
    void stepToolFollowsTheHistory() {
        const ToolInfo stepRow{ToolKind::None,    0, "", nullptr, -1, ToolChooser::PenSize, 0.0,
                               makeStepNumberTool};
        QImage ground(240, 160, QImage::Format_RGB32);
        ground.fill(Qt::white);
        Surface s;
        s.load(ground);
        History history;
        history.start(s.committed());
        StepCounter counter;
        StepNumberTool tool(stepRow);
        const auto click = [&](QPointF at) {
            ToolContext c{s, options, kSelection};
            tool.setNumber(counter.next(history.count()));
            QVERIFY(tool.press(c, at));
            s.setPersistent(true);
            QCOMPARE(tool.release(c, kLeftButton, at), StrokeEnd::Commit);
            s.commit();
            history.push(s.committed());
            counter.pushed(history.count(), true);
        };
        // The markers as they should stand, drawn one by one on the ground.
        const auto expected = [&](const QList<QPair<QPointF, int>>& markers) {
            QImage img = ground.copy();
            QPainter p(&img);
            for (const auto& [at, n] : markers)
                drawStepMarker(p, {stepMarkerCentre(at), n, stepMarkerDiameter(1), Qt::red, {}});
            return img;
        };
        click({50, 50});
        click({100, 50});
        click({150, 50});
        QCOMPARE(s.committed(), expected({{{50, 50}, 1}, {{100, 50}, 2}, {{150, 50}, 3}}));
        s.release();
        s.setCommitted(*history.undo());
        click({100, 100});
        QCOMPARE(s.committed(), expected({{{50, 50}, 1}, {{100, 50}, 2}, {{100, 100}, 3}}));
    }
};

QTEST_MAIN(TestMarkTools)
#include "test_marktools.moc"
