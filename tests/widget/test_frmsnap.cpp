#include "platform/screenpointer.h"
#include "snapshot/frmsnap.h"
#include "snapshot/toolbar_layout.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace kv;
using kvtest::FakeHost;
using kvtest::FakeScreen;

namespace {

const QStringList kClosed{"show", "tray", "unloaded"};

} // namespace

class TestFrmSnap : public QObject {
    Q_OBJECT
    std::unique_ptr<FakeScreen> screen;
    std::unique_ptr<FakeHost> host;
    std::unique_ptr<FrmSnap> snap;

    void open() {
        host = std::make_unique<FakeHost>();
        snap = std::make_unique<FrmSnap>(FrmSnapServices{screen.get(), host.get()});
        snap->Form_Load();
        snap->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
    }
    QPoint at(int x, int y) { return QPoint(x, y); }
    void press(Qt::MouseButton b, QPoint p) { QTest::mousePress(snap.get(), b, {}, p); }
    void release(Qt::MouseButton b, QPoint p) { QTest::mouseRelease(snap.get(), b, {}, p); }
    void move(QPoint p, Qt::MouseButtons held) { kvtest::sendMove(snap.get(), p, held); }
    void drag(QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
        kvtest::sendDrag(snap.get(), from, to, b);
    }
    void handleEvent(int i, QEvent::Type type, QPoint screenPos) {
        HandleBox* h = snap->overlays().Image1[std::size_t(i)];
        const QPointF local = h->mapFromGlobal(QPointF(screenPos));
        QMouseEvent e(type, local, QPointF(screenPos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(h, &e);
    }
    SelBox sel() { return snap->selection(); }
    bool handlesShown() {
        for (HandleBox* h : snap->overlays().Image1)
            if (!h->isVisible()) return false;
        return true;
    }
    bool anyHandleShown() {
        for (HandleBox* h : snap->overlays().Image1)
            if (h->isVisible()) return true;
        return false;
    }

private slots:
    void initTestCase() {
        screen = std::make_unique<FakeScreen>(QGuiApplication::primaryScreen()->size());
    }
    void init() { open(); }
    void cleanup() {
        snap.reset();
        resetScreenPointer();
    }

    void opensOnTheFrozenPicture() {
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(snap->historyTop(), 1);
        QCOMPARE(snap->geometry(), QRect(QPoint(0, 0), screen->screenSize()));
        QCOMPARE(snap->session().surface().committed(),
                 screen->grab(QRect(QPoint(0, 0), screen->screenSize())).image);
        QVERIFY(!snap->overlays().Shape1->isVisible());
        QVERIFY(!snap->overlays().LblPos->isVisible() && !snap->overlays().lblInfo->isVisible());
        QVERIFY(!snap->overlays().LblHelp->isVisible() && !anyHandleShown());
        QVERIFY(!snap->overlays().Picture1->isVisible() && !snap->overlays().Picture2->isVisible());
        QCOMPARE(snap->overlays().Picture1->y(), -26);
        QCOMPARE(snap->overlays().Picture1->size(), QSize(265, 26));
        QVERIFY(screenPointerIs(Qt::CrossCursor));
        QCOMPARE(snap->session().strokes().options().penIndex,
                 (std::array<std::int16_t, kPenSlotCount>{0, 0, 2, 1, 0}));
        // What the window paints is the frozen picture.
        const QImage shown = snap->grab(QRect(100, 200, 50, 40)).toImage();
        QCOMPARE(shown.pixel(0, 0), qRgb(100, 200, 77));
    }

    void dragSelects() {
        drag(at(100, 100), at(420, 300));
        QCOMPARE(snap->Status(), QStringLiteral("move"));
        QCOMPARE(sel(), (SelBox{100, 100, 320, 200}));
        QCOMPARE(float(snap->session().origin().x()), 100.f);
        QVERIFY(snap->overlays().Shape1->isVisible());
        QCOMPARE(snap->overlays().Shape1->geometry(), QRect(100, 100, 320, 200));
        QVERIFY(handlesShown());
        QCOMPARE(snap->overlays().Image1[6]->pos(), QPoint(418, 298));
        QCOMPARE(snap->overlays().LblPos->text(), QStringLiteral("区域大小:320*200"));
        QVERIFY(snap->overlays().LblPos->isVisible() && snap->overlays().lblInfo->isVisible() &&
                snap->overlays().LblHelp->isVisible());
        QCOMPARE(snap->overlays().LblPos->pos(), QPoint(102, 102));
        QCOMPARE(snap->overlays().lblInfo->y(),
                 snap->overlays().LblPos->y() + snap->overlays().LblPos->height() + 2);
        QCOMPARE(snap->overlays().LblHelp->y(),
                 snap->overlays().lblInfo->y() + snap->overlays().lblInfo->height() + 2);
        QVERIFY(snap->overlays().Picture1->isVisible());
        QCOMPARE(snap->overlays().Picture1->pos(), QPoint(420 - 265, 304));
        QVERIFY(host->calls.isEmpty());
    }

    void dragUpLeftMirrors() {
        drag(at(420, 300), at(100, 100));
        QCOMPARE(sel(), (SelBox{100, 100, 320, 200}));
    }

    void colourReadOutFollowsThePointer() {
        move(at(30, 40), Qt::NoButton);
        QCOMPARE(snap->overlays().lblInfo->text(), QStringLiteral("当前RGB:(30,40,77)"));
        QVERIFY(!snap->overlays().lblInfo->isVisible()); // read even while hidden
        snap->Form_MouseMove(0, -3, 5);                  // off the picture
        QCOMPARE(snap->overlays().lblInfo->text(), QStringLiteral("当前RGB:(-1,0,0)"));
    }

    void clickWithoutMovingGivesZeroSelection() {
        press(Qt::LeftButton, at(400, 300));
        release(Qt::LeftButton, at(400, 300));
        QCOMPARE(snap->Status(), QStringLiteral("move"));
        QCOMPARE(sel(), (SelBox{400, 300, 0, 0}));
        QVERIFY(!anyHandleShown());
        QVERIFY(!snap->overlays().LblPos->isVisible());
        QCOMPARE(snap->overlays().Picture1->pos(), QPoint(400 - 265, 304));
        // The next press anywhere, even on that point, clears it.
        press(Qt::LeftButton, at(400, 300));
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QCOMPARE(snap->session().justCleared(), true);
    }

    // Presses that close the editor on their release, and those that do not.
    void closingReleases_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("closes");
        QTest::newRow("right click, no selection") << "R" << true;
        QTest::newRow("middle click first") << "M" << true;
        QTest::newRow("middle inside, nothing cleared yet") << "S M" << true;
        QTest::newRow("right inside clears, stays") << "S R" << false;
        QTest::newRow("second right click closes") << "S R R" << true;
        QTest::newRow("middle outside clears, stays") << "S m" << false;
        QTest::newRow("middle inside after a clear stays") << "S x S M" << false;
        QTest::newRow("left click never closes") << "L" << false;
        QTest::newRow("thumb button first") << "B" << false;
        QTest::newRow("thumb button inside a selection") << "S B" << false;
    }
    void closingReleases() {
        QFETCH(QString, script);
        QFETCH(bool, closes);
        for (const QString& step : script.split(' ')) {
            if (step == "S") {
                drag(at(200, 200), at(400, 400)); // select
                QCOMPARE(sel(), (SelBox{200, 200, 200, 200}));
            }
            if (step == "x") drag(at(50, 50), at(60, 60)); // clear by pressing outside
            if (step == "R") {
                press(Qt::RightButton, at(300, 300));
                release(Qt::RightButton, at(300, 300));
            }
            if (step == "M") {
                press(Qt::MiddleButton, at(300, 300));
                release(Qt::MiddleButton, at(300, 300));
            }
            if (step == "m") {
                press(Qt::MiddleButton, at(10, 10));
                release(Qt::MiddleButton, at(10, 10));
            }
            if (step == "L") {
                press(Qt::LeftButton, at(10, 10));
                release(Qt::LeftButton, at(10, 10));
            }
            if (step == "B") {
                press(Qt::BackButton, at(300, 300));
                release(Qt::BackButton, at(300, 300));
            }
        }
        QCOMPARE(host->calls, closes ? kClosed : QStringList());
        QCOMPARE(snap->unloaded(), closes);
        QCOMPARE(snap->isVisible(), !closes);
    }

    void rightClickInsideClears() {
        drag(at(200, 200), at(400, 400));
        press(Qt::RightButton, at(300, 300));
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QCOMPARE(snap->session().justCleared(), true);
        QCOMPARE(sel().width, 0.f);
        QVERIFY(!snap->overlays().Shape1->isVisible() && !anyHandleShown() &&
                !snap->overlays().LblPos->isVisible());
        QVERIFY(!snap->overlays().Picture1->isVisible());
        QVERIFY(!screenPointerIs(Qt::CrossCursor)); // the window's own pointer again
    }

    // Thumb buttons are no buttons to the editor: a press outside keeps the selection,
    // a press on a handle starts no drag.
    void thumbButtonsLeaveTheSelection() {
        drag(at(200, 200), at(400, 300));
        press(Qt::ForwardButton, at(600, 500));
        release(Qt::ForwardButton, at(600, 500));
        QCOMPARE(snap->Status(), QStringLiteral("move"));
        QCOMPARE(sel(), (SelBox{200, 200, 200, 100}));
        QVERIFY(snap->overlays().Shape1->isVisible() && handlesShown());
        HandleBox* h = snap->overlays().Image1[6];
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(1, 1), h->mapToGlobal(QPointF(1, 1)),
                      Qt::BackButton, Qt::BackButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h, &e);
        QCOMPARE(snap->session().handleDrag(), HandleDrag::None);
        QVERIFY(snap->overlays().Picture1->isVisible());
    }

    void pressOutsideStartsANewBandAtOnce() {
        drag(at(200, 200), at(400, 400));
        press(Qt::LeftButton, at(600, 500));
        move(at(700, 650), Qt::LeftButton);
        QCOMPARE(sel(), (SelBox{600, 500, 100, 150}));
        QVERIFY(snap->overlays().Shape1->isVisible());
        release(Qt::LeftButton, at(700, 650));
        QCOMPARE(snap->Status(), QStringLiteral("move"));
    }

    void movingKeepsSizeAndStaysOnScreen() {
        drag(at(200, 200), at(400, 300));
        drag(at(300, 250), at(350, 240)); // press inside, move
        QCOMPARE(sel(), (SelBox{250, 190, 200, 100}));
        QCOMPARE(float(snap->session().origin().x()), 250.f);
        QCOMPARE(snap->overlays().Picture1->pos(), QPoint(450 - 265, 294));
        drag(at(300, 250), at(0, 0)); // far past the top-left corner
        QCOMPARE(sel(), (SelBox{0, 0, 200, 100}));
        const QSize s = screen->screenSize();
        drag(at(100, 50), at(s.width() - 1, s.height() - 1));
        QCOMPARE(sel(), (SelBox{float(s.width() - 200), float(s.height() - 100), 200, 100}));
        // Near the bottom the tool bar goes inside the selection.
        QCOMPARE(snap->overlays().Picture1->pos(), QPoint(s.width() - 265, s.height() - 26 - 4));
    }

    void handleResizesWithoutFlipping() {
        drag(at(200, 200), at(400, 300));
        handleEvent(6, QEvent::MouseButtonPress, at(400, 300));
        QCOMPARE(snap->session().handleDrag(), HandleDrag::Held);
        QVERIFY(!snap->overlays().Picture1->isVisible());
        handleEvent(6, QEvent::MouseMove, at(500, 420));
        QCOMPARE(sel(), (SelBox{200, 200, 300, 220})); // bottom-right at the pointer
        QCOMPARE(snap->overlays().LblPos->text(), QStringLiteral("区域大小:300*220"));
        QCOMPARE(snap->overlays().Image1[6]->pos(), QPoint(498, 418));
        QVERIFY(screenPointerIs(Qt::SizeFDiagCursor));
        handleEvent(6, QEvent::MouseMove, at(100, 420)); // across the left edge: refused
        QCOMPARE(sel(), (SelBox{200, 200, 300, 220}));
        handleEvent(6, QEvent::MouseButtonRelease, at(100, 420));
        QCOMPARE(snap->session().handleDrag(), HandleDrag::Released);
        QVERIFY(snap->overlays().Picture1->isVisible());
        QCOMPARE(snap->overlays().Picture1->pos(), QPoint(500 - 265, 424));
        // Handle 0 puts the top-left corner 2 pixels right of and below the pointer.
        handleEvent(0, QEvent::MouseButtonPress, at(198, 198));
        handleEvent(0, QEvent::MouseMove, at(150, 160));
        QCOMPARE(sel(), (SelBox{152, 162, 348, 258}));
        handleEvent(0, QEvent::MouseButtonRelease, at(150, 160));
        // A move drag then starts from the resized selection.
        drag(at(300, 300), at(310, 300));
        QCOMPARE(sel(), (SelBox{162, 162, 348, 258}));
    }

    void handlePressEmptiesRedo() {
        drag(at(200, 200), at(400, 300));
        snap->session().strokes().setToolMode(true);
        snap->session().surface().paint([](QPainter& p) { p.fillRect(210, 210, 5, 5, Qt::red); });
        snap->session().Commit();
        QCOMPARE(snap->historyCount(), 2);
        // Something drawn in tool mode: handles do not react.
        handleEvent(6, QEvent::MouseButtonPress, at(400, 300));
        QCOMPARE(snap->session().handleDrag(), HandleDrag::None);
        QCOMPARE(snap->historyTop(), 2);
        // Undone back to the snapshot: the press ends tool mode and starts the drag.
        snap->Image2_Click(kUndoButton);
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(snap->historyTop(), 2);
        handleEvent(6, QEvent::MouseButtonPress, at(400, 300));
        QVERIFY(!snap->session().toolMode());
        QCOMPARE(snap->session().handleDrag(), HandleDrag::Held);
        QCOMPARE(snap->historyTop(), 1);
        snap->Image2_Click(kRedoButton);
        QCOMPARE(snap->historyCount(), 1);
    }

    void hoverOverHandleShowsItsPointerInToolMode() {
        drag(at(200, 200), at(400, 300));
        snap->session().strokes().setToolMode(true);
        handleEvent(3, QEvent::MouseMove, at(200, 250));
        QVERIFY(screenPointerIs(Qt::SizeHorCursor));
    }

    void undoAfterOpeningReturnsToSelecting() {
        drag(at(200, 200), at(400, 300));
        const QImage before = snap->session().surface().committed();
        snap->Image2_Click(kRedoButton);
        QCOMPARE(snap->historyCount(), 1);
        snap->session().strokes().setToolMode(true);
        snap->Image2_Click(kUndoButton);
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QVERIFY(!snap->session().toolMode());
        QVERIFY(!snap->overlays().Shape1->isVisible() && !anyHandleShown() &&
                !snap->overlays().Picture1->isVisible());
        QVERIFY(!snap->overlays().LblPos->isVisible() && !snap->overlays().lblInfo->isVisible());
        QCOMPARE(sel().width, 0.f);
        QCOMPARE(snap->session().surface().committed(), before);
        QCOMPARE(snap->historyCount(), 1);
    }

    void undoRedoShowsThePictures() {
        drag(at(200, 200), at(400, 300));
        snap->session().surface().paint([](QPainter& p) { p.fillRect(210, 210, 5, 5, Qt::red); });
        snap->session().Commit();
        snap->session().surface().paint([](QPainter& p) { p.fillRect(250, 250, 5, 5, Qt::blue); });
        snap->session().Commit();
        snap->Image2_Click(kUndoButton);
        QCOMPARE(snap->session().surface().screen().pixel(211, 211), qRgb(255, 0, 0));
        QCOMPARE(snap->session().surface().screen().pixel(251, 251),
                 qRgb(251 % 256, 251 % 256, 77));
        QCOMPARE(snap->grab(QRect(211, 211, 1, 1)).toImage().pixel(0, 0), qRgb(255, 0, 0));
        snap->Image2_Click(kRedoButton);
        QCOMPARE(snap->session().surface().screen().pixel(251, 251), qRgb(0, 0, 255));
    }

    void toolModePressesDoNotSelect() {
        snap->session().strokes().setToolMode(true);
        drag(at(100, 100), at(300, 300));
        QCOMPARE(sel().width, 0.f);
        QCOMPARE(float(snap->session().lastPress().x()), 100.f);
        // ...but the left release still turns the stage and shows the tool bar.
        QCOMPARE(snap->Status(), QStringLiteral("move"));
        QVERIFY(snap->overlays().Picture1->isVisible());
    }

    void escapeClosesFromAnyStage_data() {
        QTest::addColumn<int>("stage");
        QTest::newRow("selecting") << 0;
        QTest::newRow("banding") << 1;
        QTest::newRow("selected") << 2;
        QTest::newRow("resizing") << 3;
    }
    void escapeClosesFromAnyStage() {
        QFETCH(int, stage);
        if (stage == 1) {
            press(Qt::LeftButton, at(100, 100));
            move(at(200, 200), Qt::LeftButton);
        } else if (stage >= 2) {
            drag(at(100, 100), at(200, 200));
        }
        if (stage == 3) handleEvent(6, QEvent::MouseButtonPress, at(200, 200));
        QTest::keyClick(snap.get(), Qt::Key_Escape);
        QCOMPARE(host->calls, kClosed);
        QVERIFY(!snap->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void escapeFromTheTextBoxCloses() {
        drag(at(100, 100), at(300, 300));
        snap->overlays().TextEdit->move(150, 150);
        snap->overlays().TextEdit->show();
        snap->overlays().TextEdit->setFocus();
        QTest::keyClick(snap->overlays().TextEdit, Qt::Key_Escape);
        QCOMPARE(host->calls, kClosed);
    }

    // A double click finishes only inside the selection that exists.
    void doubleClickFinishesInsideTheSelection_data() {
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<QPoint>("where");
        QTest::addColumn<bool>("finishes");
        QTest::newRow("inside") << false << QPoint(300, 300) << true;
        QTest::newRow("outside") << false << QPoint(500, 500) << false;
        QTest::newRow("on the right edge") << false << QPoint(400, 300) << false;
        QTest::newRow("inside a selection thrown away") << true << QPoint(300, 300) << false;
    }
    void doubleClickFinishesInsideTheSelection() {
        QFETCH(bool, clearFirst);
        QFETCH(QPoint, where);
        QFETCH(bool, finishes);
        drag(at(200, 200), at(400, 400));
        if (clearFirst) { // a right click inside throws it away
            press(Qt::RightButton, at(250, 250));
            release(Qt::RightButton, at(250, 250));
        }
        press(Qt::LeftButton, where);
        release(Qt::LeftButton, where);
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, where);
        release(Qt::LeftButton, where);
        QCOMPARE(host->calls.contains("picture"), finishes);
    }

    // Kolvane's own actions take the selection as shown, then the editor leaves as Esc
    // leaves it; without a selection their keys do nothing.
    void actionKeysHandTheSelectionOver_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("call");
        QTest::newRow("P pins") << int(Qt::Key_P) << "pin";
        QTest::newRow("O reads the text") << int(Qt::Key_O) << "recognise";
    }
    void actionKeysHandTheSelectionOver() {
        QFETCH(int, key);
        QFETCH(QString, call);
        QTest::keyClick(snap.get(), Qt::Key(key));
        QVERIFY(host->calls.isEmpty());
        drag(at(200, 150), at(420, 300));
        const QImage frozen = snap->session().surface().committed().copy(200, 150, 220, 150);
        QTest::keyClick(snap.get(), Qt::Key(key));
        QCOMPARE(host->calls, QStringList({"show", "tray", "unloaded", call}));
        QCOMPARE(host->handed, frozen);
        if (call == "pin") QCOMPARE(host->handedAt, QRect(200, 150, 220, 150));
    }

    void otherKeysAreIgnored() {
        QTest::keyClick(snap.get(), Qt::Key_A);
        QTest::keyClick(snap.get(), Qt::Key_Return);
        QVERIFY(host->calls.isEmpty());
    }

    void reopenKeepsStateButHidesOverlays() {
        drag(at(200, 200), at(400, 300));
        snap->session().surface().paint([](QPainter& p) { p.fillRect(210, 210, 5, 5, Qt::red); });
        snap->session().Commit();
        snap->session().strokes().setToolMode(true);
        snap->hide(); // as finishing leaves it
        const int grabs = screen->grabs;
        snap->SetStatus("move");
        snap->ShowAgain();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
        QCOMPARE(screen->grabs, grabs); // no new picture
        QVERIFY(!snap->overlays().Shape1->isVisible() && !anyHandleShown() &&
                !snap->overlays().Picture1->isVisible());
        QVERIFY(snap->session().toolMode());
        QCOMPARE(snap->historyCount(), 2);
        QCOMPARE(snap->session().surface().screen().pixel(211, 211), qRgb(255, 0, 0));
    }
};

QTEST_MAIN(TestFrmSnap)
#include "test_frmsnap.moc"
