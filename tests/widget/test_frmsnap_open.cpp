// Opening the region editor from the main window, closing it and showing a hidden,
// still-loaded editor again.
#include "app/frmmain.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>

using namespace kv;

namespace {

class FixedClock : public Clock {
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 5), QTime(9, 7, 45)); }
};

// A screen that never changes; counts the reads of the whole screen.
class FakeScreen final : public ScreenReader {
public:
    std::optional<QRgb> pixel(QPoint) override { return std::nullopt; }
    QImage grab(const QRect& r) override {
        if (r.size() == screenSize()) ++fullReads;
        QImage img(r.size(), QImage::Format_RGB32);
        img.fill(QColor(10, 20, 30));
        return img;
    }
    QSize screenSize() const override { return QGuiApplication::primaryScreen()->size(); }
    int fullReads = 0;
};

} // namespace

class TestFrmSnapOpen : public QObject {
    Q_OBJECT
    FixedClock clock;
    FakeScreen screen;
    std::unique_ptr<FrmMain> w;

    void clickRegionCapture() {
        QTest::mouseClick(w->LblColor[6], Qt::LeftButton);
        QVERIFY(w->capturePage().Snap);
        QVERIFY(QTest::qWaitForWindowExposed(w->capturePage().Snap.data()));
    }

private slots:
    void init() {
        FrmMainServices s;
        s.clock = &clock;
        s.screen = &screen;
        s.programDir = QCoreApplication::applicationDirPath();
        w = std::make_unique<FrmMain>(s);
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        screen.fullReads = 0;
    }
    void cleanup() { w.reset(); }

    void opensOverTheHiddenMainWindow() {
        w->LblColr_Click(); // on the colour page first
        clickRegionCapture();
        QVERIFY(!w->isVisible());
        QVERIFY(!w->colourPageShown());
        FrmSnap* snap = w->capturePage().Snap.data();
        QVERIFY(snap->isVisible());
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QVERIFY(!w->capturePage().flaga());
        QCOMPARE(snap->cursor().shape(), Qt::CrossCursor);
        QCOMPARE(screen.fullReads, 1);
        QCOMPARE(snap->historyCount(), 1);
        QCOMPARE(snap->geometry(), QRect(QPoint(0, 0), screen.screenSize()));
    }

    void escapeUnloadsAndBringsTheMainWindowBack() {
        clickRegionCapture();
        QPointer<FrmSnap> snap = w->capturePage().Snap;
        QTest::keyClick(snap.data(), Qt::Key_Escape);
        QVERIFY(w->isVisible());
        QVERIFY(!w->capturePage().Snap);
        QTRY_VERIFY(snap.isNull()); // the editor object is discarded
        QVERIFY(!QGuiApplication::overrideCursor());
        // The next region capture loads a fresh editor on a new picture.
        clickRegionCapture();
        QVERIFY(w->capturePage().Snap.data() != nullptr);
        QCOMPARE(screen.fullReads, 2);
        QCOMPARE(w->capturePage().Snap->historyTop(), 1);
    }

    void hiddenEditorIsShownAgainWithoutANewPicture() {
        clickRegionCapture();
        QPointer<FrmSnap> snap = w->capturePage().Snap;
        // Select, draw and finish the way the editor leaves itself after finishing:
        // hidden, still loaded, a region waiting.
        snap->Form_MouseDown(1, 100, 100);
        snap->Form_MouseMove(1, 300, 200);
        snap->Form_MouseUp(1, 300, 200);
        snap->session().strokes().setToolMode(true);
        snap->session().surface().paint([](QPainter& p) { p.fillRect(120, 120, 10, 10, Qt::red); });
        snap->session().Commit();
        snap->FinishRegion();
        QVERIFY(w->capturePage().flaga());
        QVERIFY(!snap->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));

        clickRegionCapture();
        QCOMPARE(w->capturePage().Snap.data(), snap.data());
        QCOMPARE(screen.fullReads, 1);
        QVERIFY(snap->isVisible() && !w->isVisible());
        QCOMPARE(snap->Status(), QStringLiteral("draw"));
        QVERIFY(!w->capturePage().flaga());
        QVERIFY(snap->session().toolMode()); // everything else is kept
        QCOMPARE(snap->historyCount(), 2);
        QCOMPARE(snap->session().surface().screen().pixel(125, 125), qRgb(255, 0, 0));
        QVERIFY(!snap->overlays().Shape1->isVisible() && !snap->overlays().Picture1->isVisible());
        QVERIFY(!snap->overlays().LblPos->isVisible() && !snap->overlays().Image1[0]->isVisible());
    }
};

QTEST_MAIN(TestFrmSnapOpen)
#include "test_frmsnap_open.moc"
