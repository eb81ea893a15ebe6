// Finishing a region in the editor, driven in-process: what the cut contains and
// what the main window is told. (Saving it: test_region_save.cpp.)
#include "platform/screenpointer.h"
#include "snapshot/frmsnap.h"
#include "snapshot/toolbar_layout.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <memory>

using namespace kv;
using kvtest::FakeHost;
using kvtest::FakeScreen;

namespace {

const QRect kRegion(100, 80, 240, 160);

} // namespace

class TestFrmSnapFinish : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<FrmSnap> snap;

    // Opens the editor and drags out kRegion.
    void openWithSelection() {
        host = std::make_unique<FakeHost>();
        FrmSnapServices services;
        services.screen = screen.get();
        services.host = host.get();
        snap = std::make_unique<FrmSnap>(services);
        snap->Form_Load();
        snap->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
        kvtest::sendDrag(snap.get(), kRegion.topLeft(),
                         kRegion.topLeft() + QPoint(kRegion.width(), kRegion.height()));
        QCOMPARE(snap->selection(), (SelBox{float(kRegion.x()), float(kRegion.y()),
                                            float(kRegion.width()), float(kRegion.height())}));
    }
    QImage frozenRegion() { return snap->session().surface().committed().copy(kRegion); }
    // Finishes with a double click in the middle of the selection.
    void doubleClickInside() {
        QTest::mousePress(snap.get(), Qt::LeftButton, {}, kRegion.center());
        QTest::mouseRelease(snap.get(), Qt::LeftButton, {}, kRegion.center());
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, kRegion.center());
    }
    QImage clipboardImage() {
        return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }

private slots:
    void initTestCase() {
        screen = std::make_unique<FakeScreen>(
            QGuiApplication::primaryScreen()->size(), [](QPoint p, QPoint l) {
                return qRgb(p.x() % 256, p.y() % 256, (l.x() * l.y()) % 256);
            });
    }
    void init() { openWithSelection(); }
    void cleanup() {
        snap.reset();
        resetScreenPointer();
        QApplication::clipboard()->clear();
    }

    // Bars, outline, handles and read-outs never get into the cut; a text box
    // still open when a button finishes does, a double click drops it.
    void cutHoldsWhatTheEditorShows_data() {
        QTest::addColumn<bool>("byDoubleClick");
        QTest::addColumn<bool>("textBoxOpen");
        QTest::newRow("button") << false << false;
        QTest::newRow("button, text box open") << false << true;
        QTest::newRow("double click, text box open") << true << true;
    }
    void cutHoldsWhatTheEditorShows() {
        QFETCH(bool, byDoubleClick);
        QFETCH(bool, textBoxOpen);
        if (textBoxOpen) {
            // Typed into the text tool's box, which stays open when a handle press
            // then leaves drawing (nothing was committed yet).
            snap->Image2_Click(kTextButton);
            const QPoint at = kRegion.topLeft() + QPoint(10, 10);
            QTest::mousePress(snap.get(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(snap.get(), Qt::LeftButton, {}, at);
            QVERIFY(snap->overlays().TextEdit->isVisible());
            snap->overlays().TextEdit->setText(QStringLiteral("标注 text"));
            snap->Image1_MouseDown(0);
            snap->Image1_MouseUp(0);
            QVERIFY(!snap->session().toolMode());
            QVERIFY(snap->overlays().TextEdit->isVisible());
        }
        // The option bar open over the selection, the read-outs shown on it.
        snap->overlays().Picture2->move(kRegion.center());
        snap->overlays().Picture2->show();
        QVERIFY(snap->overlays().LblPos->isVisible() && snap->overlays().Shape1->isVisible());
        if (byDoubleClick)
            doubleClickInside();
        else
            snap->FinishRegion();

        QCOMPARE(host->calls.count("picture"), 1); // handed back: it waits to be saved
        QVERIFY(!snap->isVisible());
        QVERIFY(!snap->unloaded());
        QCOMPARE(host->calls, QStringList({"picture", "show", "tray"}));
        QCOMPARE(host->shown.image(), clipboardImage());
        QCOMPARE(host->shown.size(), kRegion.size());
        const bool showsTextBox = textBoxOpen && !byDoubleClick;
        QCOMPARE(host->shown.image() != frozenRegion(), showsTextBox);
        if (showsTextBox) {
            // Only the box's area differs from the frozen picture.
            const QRect box = snap->overlays().TextEdit->geometry().translated(-kRegion.topLeft());
            QImage outside = host->shown.image();
            QImage expected = frozenRegion();
            QPainter(&outside).fillRect(box, Qt::black);
            QPainter(&expected).fillRect(box, Qt::black);
            QCOMPARE(outside, expected);
        }
        QVERIFY(!screenPointerIs(Qt::CrossCursor));
    }

    void doubleClickOutsideDoesNothing() {
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(host->shown.isNull());
        QVERIFY(host->calls.isEmpty());
    }
};

QTEST_MAIN(TestFrmSnapFinish)
#include "test_frmsnap_finish.moc"
