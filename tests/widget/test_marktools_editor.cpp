// The mosaic (M) and numbered-step (N) tools in the editor, driven in-process: a mosaic
// over a secret finished to the clipboard is the same whatever the secret was, undo
// takes it back exactly, and the numbers follow the clicks and the history.
#include "platform/screenpointer.h"
#include "snapshot/frmsnap.h"
#include "snapshot/stepnumber.h"
#include "snapshot/toolbar_layout.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QApplication>
#include <QClipboard>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>

using namespace kv;
using kvtest::FakeHost;
using kvtest::FakeScreen;

namespace {

const QRect kRegion(100, 80, 300, 200);
const QRect kSecret(150, 150, 160, 30); // where the mosaic is dragged

// A login form with `secret` in its password field.
QImage formWith(QSize size, const QString& secret) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(qRgb(236, 240, 244));
    QPainter p(&img);
    p.fillRect(QRect(100, 80, 300, 24), QColor(40, 90, 160));
    p.setPen(Qt::black);
    p.drawText(QPoint(110, 135), QStringLiteral("Password:"));
    p.fillRect(kSecret.adjusted(-6, -6, 6, 6), Qt::white);
    p.drawText(kSecret, Qt::AlignVCenter | Qt::AlignLeft, secret);
    return img;
}

} // namespace

class TestMarkToolsEditor : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<FrmSnap> snap;

    void open(const QString& secret) {
        snap.reset();
        const QImage form = formWith(QGuiApplication::primaryScreen()->size(), secret);
        screen = std::make_unique<FakeScreen>(form.size(),
                                              [form](QPoint p, QPoint) { return form.pixel(p); });
        host = std::make_unique<FakeHost>();
        FrmSnapServices services;
        services.screen = screen.get();
        services.host = host.get();
        snap = std::make_unique<FrmSnap>(services);
        snap->Form_Load();
        snap->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
        kvtest::sendDrag(snap.get(), kRegion.topLeft(), kRegion.bottomRight() + QPoint(1, 1));
    }
    const QImage& committed() { return snap->session().surface().committed(); }
    void click(QPoint at) {
        QTest::mousePress(snap.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(snap.get(), Qt::LeftButton, {}, at);
    }
    // The mosaic dragged over the secret with the key M, then the region finished.
    QImage mosaicFinished(const QString& secret) {
        open(secret);
        QTest::keyClick(snap.get(), Qt::Key_M);
        kvtest::sendDrag(snap.get(), kSecret.topLeft(), kSecret.bottomRight() + QPoint(1, 1));
        snap->FinishRegion();
        return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void cleanup() {
        snap.reset();
        resetScreenPointer();
        QApplication::clipboard()->clear();
    }

    void mosaicHidesTheSecret() {
        const QImage one = mosaicFinished(QStringLiteral("hunter2-secret"));
        const QImage frozen =
            formWith(QGuiApplication::primaryScreen()->size(), QStringLiteral("hunter2-secret"))
                .copy(kRegion);
        const QImage other = mosaicFinished(QStringLiteral("correct horse"));
        QCOMPARE(one.size(), kRegion.size());
        QCOMPARE(one, other);
        // Outside the mosaic the region is as it was; inside, nothing of it is left.
        const QRect inside = kSecret.translated(-kRegion.topLeft());
        for (int y = 0; y < one.height(); ++y)
            for (int x = 0; x < one.width(); ++x)
                if (!inside.contains(x, y) && one.pixel(x, y) != frozen.pixel(x, y))
                    QFAIL(qPrintable(QString("(%1, %2) outside changed").arg(x).arg(y)));
        QVERIFY(one.copy(inside) != frozen.copy(inside));
    }

    void undoRemovesTheMosaicExactly() {
        open(QStringLiteral("hunter2"));
        const QImage before = committed().copy();
        snap->Image2_Click(kFirstSecondBarButton); // the mosaic's button
        kvtest::sendDrag(snap.get(), kSecret.topLeft(), kSecret.bottomRight());
        QCOMPARE(snap->historyCount(), 2);
        QVERIFY(committed() != before);
        snap->Image2_Click(kUndoButton);
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(committed(), before);
    }

    void numbersFollowClicksAndUndo() {
        open(QStringLiteral("hunter2"));
        const QImage before = committed().copy();
        QTest::keyClick(snap.get(), Qt::Key_N);
        const QList<QPoint> at{{160, 200}, {220, 210}, {300, 220}, {350, 250}};
        for (int i = 0; i < 3; ++i)
            click(at[i]);
        QCOMPARE(snap->historyCount(), 4);
        // The third marker, alone against the picture before it: centred on its click.
        const QImage third = committed();
        snap->Image2_Click(kUndoButton);
        double sx = 0, sy = 0, n = 0;
        for (int y = at[2].y() - 30; y <= at[2].y() + 30; ++y)
            for (int x = at[2].x() - 30; x <= at[2].x() + 30; ++x)
                if (third.pixel(x, y) != committed().pixel(x, y)) sx += x, sy += y, n += 1;
        QVERIFY(n > 200);
        QVERIFY2(qAbs(sx / n - at[2].x()) < 0.5 && qAbs(sy / n - at[2].y()) < 0.5,
                 qPrintable(QString("%1, %2").arg(sx / n).arg(sy / n)));
        // Undone, the next click places 3 again.
        click(at[3]);
        QImage expected = before.copy();
        QPainter p(&expected);
        const int numbers[] = {1, 2, 3};
        const QPoint places[] = {at[0], at[1], at[3]};
        for (int i = 0; i < 3; ++i)
            drawStepMarker(p, {stepMarkerCentre(places[i]),
                               numbers[i],
                               stepMarkerDiameter(1),
                               QColor(255, 0, 0),
                               {}});
        p.end();
        QCOMPARE(committed(), expected);
    }
};

QTEST_MAIN(TestMarkToolsEditor)
#include "test_marktools_editor.moc"
