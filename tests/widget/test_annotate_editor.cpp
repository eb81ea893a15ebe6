// Annotating a selected region in the editor: tool buttons, the option bar, strokes
// and text as the committed picture shows them, undo and redo over strokes.
#define QTEST_QPA_MOUSE_HANDLING
#include "snapshot/frmsnap.h"
#include "snapshot/optionbar.h"
#include "snapshot/toolbar.h"
#include "snapshot/toolbar_layout.h"
#include "snapshot/tooltable.h"
#include "support/mouse.h"
#include "support/snapfakes.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>
#include <memory>

using namespace kv;

namespace {

const QRgb kGround = qRgb(200, 200, 200);
const QRgb kRed = qRgb(255, 0, 0);

// The bounding box of the pixels that differ from the ground.
QRect inkBox(const QImage& img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] | 0xff000000) != kGround) box |= QRect(x, y, 1, 1);
    }
    return box;
}

} // namespace

class TestAnnotateEditor : public QObject {
    Q_OBJECT
    // "The screen" the editor freezes: one plain grey, so every stroke stands out.
    kvtest::FakeScreen screen{QSize(1000, 700), [](QPoint, QPoint) { return kGround; }};
    std::unique_ptr<kvtest::FakeHost> host;
    std::unique_ptr<FrmSnap> snap;

    // The selection used throughout: left 100, top 100, 300 x 200 (edges at 400, 300).
    void selectRegion() {
        drag(QPoint(100, 100), QPoint(400, 300));
        QCOMPARE(snap->Status(), QStringLiteral("move"));
        QVERIFY(snap->overlays().Picture1->isVisible());
    }
    void press(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(snap.get(), b, {}, p);
    }
    void release(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseRelease(snap.get(), b, {}, p);
    }
    void moveHeld(QPoint p, Qt::MouseButtons held) { kvtest::sendMove(snap.get(), p, held); }
    void drag(QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
        kvtest::sendDrag(snap.get(), from, to, b);
    }
    void clickTool(int index) {
        QTest::mouseClick(snap->overlays().toolBar->Image2[index], Qt::LeftButton);
    }
    const QImage& committed() { return snap->session().surface().committed(); }
    QList<int> penFrames() {
        QList<int> on;
        for (int s = 0; s < 3; ++s)
            if (!snap->overlays().optionBar->Shape5[s]->isHidden()) on << s;
        return on;
    }

private slots:
    void init() {
        host = std::make_unique<kvtest::FakeHost>();
        snap = std::make_unique<FrmSnap>(FrmSnapServices{&screen, host.get()});
        snap->Form_Load();
        snap->ShowEditor();
        QVERIFY(QTest::qWaitForWindowExposed(snap.get()));
        selectRegion();
    }
    void cleanup() { snap.reset(); }

    void sameToolTwiceClosesItsOptions() {
        QVERIFY(snap->overlays().Picture2->isHidden());
        clickTool(7);
        QVERIFY(!snap->overlays().Picture2->isHidden());
        QVERIFY(snap->session().toolMode());
        QCOMPARE(snap->session().strokes().toolKind(), ToolKind::Rectangle);
        // 3 pixels under the tool bar, left edges aligned.
        QCOMPARE(snap->overlays().Picture2->pos(),
                 snap->overlays().Picture1->pos() + QPoint(0, 26 + 3));
        clickTool(7);
        QVERIFY(snap->overlays().Picture2->isHidden());
        QVERIFY(snap->session().toolMode());
        // With the options closed a drag inside the selection draws nothing.
        drag(QPoint(150, 150), QPoint(250, 250));
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(inkBox(snap->session().surface().working()), QRect());
        clickTool(7);
        QVERIFY(!snap->overlays().Picture2->isHidden());
        // Another tool keeps the bar open and relays it out.
        clickTool(4);
        QVERIFY(!snap->overlays().Picture2->isHidden());
        QCOMPARE(snap->session().strokes().toolKind(), ToolKind::Arrow);
        QCOMPARE(snap->overlays().Picture2->width(), 166);
        QCOMPARE(snap->session().strokes().lastToolIndex(), 4);
    }

    // A stroke tried while the tool's options were closed is over with its release:
    // once the options are open again, neither a bare move nor a press outside the
    // selection may bring a figure from that old start point.
    void strokeWithOptionsClosedLeavesNoGhost_data() {
        QTest::addColumn<int>("tool");
        QTest::newRow("arrow") << 4;
        QTest::newRow("ellipse") << 6;
        QTest::newRow("rectangle") << 7;
        QTest::newRow("brush") << 9;
    }
    void strokeWithOptionsClosedLeavesNoGhost() {
        QFETCH(int, tool);
        clickTool(tool);
        clickTool(tool);
        QVERIFY(snap->overlays().Picture2->isHidden());
        drag(QPoint(150, 150), QPoint(250, 250));
        clickTool(tool);
        QVERIFY(!snap->overlays().Picture2->isHidden());
        moveHeld(QPoint(300, 280), Qt::NoButton);
        QCOMPARE(inkBox(snap->session().surface().screen()), QRect());
        drag(QPoint(50, 50), QPoint(300, 280));
        QCOMPARE(inkBox(snap->session().surface().screen()), QRect());
        QCOMPARE(snap->historyCount(), 1);
    }

    void penSizeRememberedPerTool() {
        clickTool(9);
        QCOMPARE(penFrames(), QList<int>{2});
        QTest::mouseClick(snap->overlays().optionBar->ImgPoint[1], Qt::LeftButton);
        clickTool(7);
        QCOMPARE(penFrames(), QList<int>{0});
        clickTool(9);
        QCOMPARE(penFrames(), QList<int>{1});
        // And the brush now paints 4 pixels wide.
        drag(QPoint(150, 200), QPoint(300, 200));
        int rows = 0;
        for (int y = 190; y < 210; ++y)
            rows += committed().pixel(220, y) == kRed;
        QCOMPARE(rows, 4);
    }

    void defaultRectangleIsClippedHairLine() {
        clickTool(7);
        drag(QPoint(150, 150), QPoint(700, 600));
        QCOMPARE(snap->historyCount(), 2);
        const QImage& img = committed();
        // The far corner stops at the selection's right and bottom edges.
        QCOMPARE(inkBox(img), QRect(QPoint(150, 150), QPoint(400, 300)));
        for (int x = 150; x <= 400; x += 25) {
            QCOMPARE(img.pixel(x, 150), kRed);
            QCOMPARE(img.pixel(x, 300), kRed);
            QCOMPARE(img.pixel(x, 151), x == 150 || x == 400 ? kRed : kGround);
        }
        QCOMPARE(img.pixel(151, 200), kGround);
        QCOMPARE(img.pixel(399, 200), kGround);
        QCOMPARE(img.pixel(400, 200), kRed);
    }

    void defaultBrushIsSixPixels() {
        clickTool(9);
        // The brush is not held to the selection.
        drag(QPoint(150, 200), QPoint(500, 200));
        QCOMPARE(snap->historyCount(), 2);
        for (int x : {220, 450}) {
            int rows = 0;
            for (int y = 190; y < 210; ++y)
                rows += committed().pixel(x, y) == kRed;
            QCOMPARE(rows, 6);
        }
    }

    void brushPaintsOnlyWithTheLeftButton() {
        // A selection made after clearing another, so that a right release keeps the
        // editor open.
        drag(QPoint(600, 400), QPoint(600, 400));
        selectRegion();
        QCOMPARE(snap->session().justCleared(), true);
        clickTool(9);
        drag(QPoint(150, 200), QPoint(300, 200), Qt::RightButton);
        QVERIFY(!host->calls.contains(QStringLiteral("unloaded")));
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(inkBox(snap->session().surface().working()), QRect());
        // A rectangle drawn with the right button is kept like a left one.
        clickTool(7);
        drag(QPoint(150, 150), QPoint(200, 200), Qt::RightButton);
        QCOMPARE(snap->historyCount(), 2);
    }

    void ellipseFillsItsBoundingBox() {
        clickTool(6);
        drag(QPoint(250, 230), QPoint(150, 150));
        QCOMPARE(inkBox(committed()), QRect(150, 150, 100, 80));
        QCOMPARE(committed().pixel(200, 190), kGround);
    }

    void figuresWithoutExtentAreNotKept_data() {
        QTest::addColumn<int>("tool");
        QTest::newRow("arrow") << 4;
        QTest::newRow("ellipse") << 6;
        QTest::newRow("rectangle") << 7;
    }
    void figuresWithoutExtentAreNotKept() {
        QFETCH(int, tool);
        clickTool(tool);
        drag(QPoint(200, 200), QPoint(200, 200));
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(inkBox(committed()), QRect());
        // Outside the selection, and on its outline, nothing starts at all.
        drag(QPoint(50, 50), QPoint(250, 250));
        drag(QPoint(100, 200), QPoint(250, 250));
        QCOMPARE(snap->historyCount(), 1);
        QVERIFY(!snap->session().strokes().drawing());
    }

    // A rectangle clicked without movement leaves its dot in the working image only:
    // the next figure's release takes it away, but a brush commit keeps it, and the
    // brush commits even a click without movement.
    void figureWithoutExtentStaysUntilTheNextRelease() {
        clickTool(7);
        drag(QPoint(200, 200), QPoint(200, 200));
        QCOMPARE(snap->session().surface().working().pixel(200, 200), kRed);
        clickTool(9);
        drag(QPoint(250, 250), QPoint(250, 250));
        QCOMPARE(snap->historyCount(), 2);
        QCOMPARE(committed().pixel(200, 200), kRed);

        clickTool(7);
        drag(QPoint(220, 220), QPoint(220, 220));
        QCOMPARE(snap->session().surface().working().pixel(220, 220), kRed);
        drag(QPoint(150, 150), QPoint(180, 180));
        QCOMPARE(snap->historyCount(), 3);
        QCOMPARE(committed().pixel(220, 220), kGround);
        QCOMPARE(committed().pixel(200, 200), kRed);
    }

    // Finishing by a double click with a figure tool armed: its first click draws a
    // figure without extent, which stays out of the region.
    void doubleClickFinishLeavesNoDot_data() {
        QTest::addColumn<int>("tool");
        QTest::newRow("rectangle") << int(kRectangleButton);
        QTest::newRow("ellipse") << int(kEllipseButton);
        QTest::newRow("arrow") << int(kArrowButton);
        QTest::newRow("brush") << int(kBrushButton);
    }
    void doubleClickFinishLeavesNoDot() {
        QFETCH(int, tool);
        clickTool(tool);
        QTest::mouseDClick(snap.get(), Qt::LeftButton, {}, QPoint(250, 200));
        QCOMPARE(host->calls.count("picture"), 1);
        const QImage& cut = host->shown.image();
        QCOMPARE(cut.size(), QSize(300, 200));
        QCOMPARE(inkBox(cut), QRect());
    }

    void previewsLeaveNoTrace() {
        clickTool(4);
        press(QPoint(150, 150));
        for (int x = 160; x <= 380; x += 20)
            moveHeld(QPoint(x, 250), Qt::LeftButton);
        // Only the latest preview shows; the picture itself is untouched so far.
        QCOMPARE(inkBox(snap->session().surface().working()), QRect());
        QCOMPARE(inkBox(snap->session().surface().screen()).right(), 380);
        QVERIFY(inkBox(snap->session().surface().screen()).bottom() <= 255);
        release(QPoint(380, 250));
        QCOMPARE(snap->historyCount(), 2);
        const QRect arrow = inkBox(committed());
        QCOMPARE(arrow.topLeft(), QPoint(150, 150));
        QCOMPARE(arrow.right(), 380);
    }

    void undoAndRedoWalkTheStrokes() {
        clickTool(7);
        drag(QPoint(150, 150), QPoint(200, 200));
        const QImage a = committed();
        clickTool(4);
        drag(QPoint(250, 150), QPoint(350, 250));
        const QImage ab = committed();
        QCOMPARE(snap->historyCount(), 3);
        clickTool(0);
        QCOMPARE(committed(), a);
        clickTool(8);
        QCOMPARE(committed(), ab);
        clickTool(8);
        QCOMPARE(committed(), ab);
        clickTool(0);
        clickTool(0);
        QCOMPARE(inkBox(committed()), QRect());
        QCOMPARE(snap->historyCount(), 1);
        // Past the snapshot the editor goes back to selecting.
        clickTool(0);
        QVERIFY(!snap->session().toolMode());
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
    }

    void textIsDrawnAtTheBoxInItsSizeAndColour() {
        clickTool(5);
        QVERIFY(!snap->overlays().optionBar->PicFont->isHidden());
        // Blue, and size 18 from the list.
        QTest::mouseClick(snap->overlays().optionBar->Pcolor[13], Qt::LeftButton);
        emit snap->overlays().optionBar->Combo1->textActivated(QStringLiteral("18"));
        drag(QPoint(200, 180), QPoint(200, 180));
        QVERIFY(snap->overlays().TextEdit->isVisible());
        QCOMPARE(snap->overlays().TextEdit->geometry().topLeft(), QPoint(200, 180));
        QCOMPARE(snap->overlays().TextEdit->width(), 25);
        QTest::keyClicks(snap->overlays().TextEdit, QStringLiteral("Hello"));
        const int widened = snap->overlays().TextEdit->width();
        QVERIFY(widened > 25);
        QTest::keyClick(snap->overlays().TextEdit, Qt::Key_Backspace);
        QCOMPARE(snap->overlays().TextEdit->width(), widened);
        // The next press and release inside the selection draws it.
        drag(QPoint(300, 250), QPoint(300, 250));
        QVERIFY(snap->overlays().TextEdit->isHidden());
        QCOMPARE(snap->historyCount(), 2);
        const QRect ink = inkBox(committed());
        QVERIFY2(ink.left() >= 200 && ink.left() <= 203, qPrintable(QString::number(ink.left())));
        QVERIFY(ink.top() >= 180 && ink.top() <= 180 + 24 / 3);
        // 18 points are 24 pixels: capitals stand well over the 11-point default's.
        QVERIFY2(ink.height() >= 15 && ink.height() <= 24,
                 qPrintable(QString::number(ink.height())));
        int blue = 0, other = 0;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x) {
                const QRgb c = committed().pixel(x, y);
                if (c == qRgb(0, 0, 255))
                    ++blue;
                else if (c != kGround && qBlue(c) <= qRed(c))
                    ++other;
            }
        QVERIFY(blue > 20);
        QCOMPARE(other, 0);
    }

    void typedTextCommittedWhenSwitchingTools() {
        clickTool(5);
        drag(QPoint(200, 180), QPoint(200, 180));
        QTest::keyClicks(snap->overlays().TextEdit, QStringLiteral("Kv"));
        clickTool(7);
        QVERIFY(snap->overlays().TextEdit->isHidden());
        QCOMPARE(snap->historyCount(), 2);
        QVERIFY(inkBox(committed()).intersects(QRect(200, 180, 40, 20)));
        QVERIFY(!snap->session().strokes().drawing());
        // An empty box is only closed.
        clickTool(5);
        drag(QPoint(200, 250), QPoint(200, 250));
        clickTool(6);
        QVERIFY(snap->overlays().TextEdit->isHidden());
        QCOMPARE(snap->historyCount(), 2);
    }

    // Text left in a box that was cut into a finished region as it stood is not typed
    // again into the first box of the reopened editor.
    void reopenedEditorOpensAnEmptyTextBox() {
        clickTool(5);
        drag(QPoint(200, 180), QPoint(200, 180));
        QTest::keyClicks(snap->overlays().TextEdit, QStringLiteral("Kv"));
        clickTool(1); // finish, the box cut in as it is shown
        QCOMPARE(host->calls.count("picture"), 1);
        snap->ShowAgain();
        drag(QPoint(250, 250), QPoint(250, 250)); // brings the tool bar back
        clickTool(5);
        drag(QPoint(260, 260), QPoint(260, 260));
        QVERIFY(snap->overlays().TextEdit->isVisible());
        QCOMPARE(snap->overlays().TextEdit->text(), QString());
        QCOMPARE(snap->overlays().TextEdit->width(), 25);
    }

    void mistypedFontSizeKeepsTheLastOne() {
        clickTool(5);
        snap->overlays().optionBar->Text1->setText(QStringLiteral("x"));
        drag(QPoint(200, 180), QPoint(200, 180));
        QVERIFY(snap->overlays().TextEdit->isVisible());
        QCOMPARE(snap->overlays().TextEdit->font().pixelSize(), 15); // 11 points
    }

    void optionBarGoesAboveNearTheBottom() {
        // A selection reaching the bottom puts the tool bar inside it, near the bottom.
        clickTool(0); // back to selecting
        drag(QPoint(300, 500), QPoint(700, 699));
        clickTool(7);
        QCOMPARE(snap->overlays().Picture2->y(), snap->overlays().Picture1->y() - 37 - 3);
    }
};

QTEST_MAIN(TestAnnotateEditor)
#include "test_annotate_editor.moc"
