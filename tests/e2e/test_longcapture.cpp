// Long captures of another program's window on the live screen: the wheel is turned
// over the page, which is read and stitched until it ends; the result must be the
// page exactly as the program wrote it out.
#include "e2e/support/desktop.h"
#include "e2e/support/longpage.h"
#include "longcapture/capturepanel.h"
#include "longcapture/longcapture.h"
#include "platform/screenreaderfactory.h"
#include "platform/scroller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <optional>

namespace {

// One long capture over the page's selection, run to its end.
class Run {
public:
    // `panelRoom`: false pretends the selection fills the only monitor, which leaves
    // the panel no place beside it.
    explicit Run(const QRect& selection, bool panelRoom = true)
        : screen_(kv::createScreenReader()), scroller_(kv::createScroller()) {
        const kv::Monitors monitors =
            panelRoom ? screen_->monitors() : kv::Monitors::single(selection);
        capture_ = std::make_unique<kv::LongCapture>(
            *screen_, *scroller_, selection, monitors,
            [this](const kv::LongCaptureResult& r) { result = r; });
    }
    void start() {
        clock.start();
        capture_->start();
    }
    bool waitForEnd(int timeoutMs = 30000) {
        return e2e::waitFor([this] { return result.has_value(); }, timeoutMs);
    }
    kv::LongCapture& capture() { return *capture_; }
    bool canScroll() const { return scroller_->canScroll(); }

    std::optional<kv::LongCaptureResult> result;
    QElapsedTimer clock;

private:
    std::unique_ptr<kv::ScreenReader> screen_;
    std::unique_ptr<kv::Scroller> scroller_;
    std::unique_ptr<kv::LongCapture> capture_;
};

// Presses a key the way the user does: on the keyboard, into the focused panel, or
// with no panel shown, into the frame that holds the keyboard.
void pressKey(kv::LongCapture& capture, const QString& key) {
    QWidget* panel = capture.panel();
    if (panel->isVisible())
        QVERIFY(e2e::waitFor([panel] { return panel->isActiveWindow(); }, 5000));
    e2e::xdotool({"key", key});
}

} // namespace

class TestLongCapture : public QObject {
    Q_OBJECT
private slots:
    void init();
    void pageIsStitchedExactly_data();
    void pageIsStitchedExactly();
    void scrollBarInTheSelectionIsLeftOut();
    void windowThatDoesNotScrollGivesTheSelection();
    void keyEndsIt_data();
    void keyEndsIt();
};

void TestLongCapture::init() {
    if (!kv::createScroller()->canScroll()) QSKIP("the display offers no XTest");
}

void TestLongCapture::pageIsStitchedExactly_data() {
    QTest::addColumn<QStringList>("options");
    QTest::newRow("plain page") << QStringList{};
    QTest::newRow("sticky header") << QStringList{"--header", "60"};
    QTest::newRow("header and footer") << QStringList{"--header", "60", "--footer", "40"};
}

// A 5,000-row page is captured to its end by itself, every row once.
void TestLongCapture::pageIsStitchedExactly() {
    QFETCH(QStringList, options);
    e2e::LongPage page;
    QVERIFY(page.start(options));
    Run run(page.selection());
    run.start();
    QVERIFY(run.waitForEnd());
    qInfo("%s: %d rows in %lld ms", QTest::currentDataTag(), run.result->picture.height(),
          run.clock.elapsed());
    QVERIFY(run.result->kept);
    const QImage got = run.result->picture.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(got == page.page(), qPrintable(e2e::firstDifference(got, page.page())));
}

// Selected with its scroll bar, the page comes out without the bar's moving part: the
// page's own columns exactly, at most the bar's unchanging edge beside them.
void TestLongCapture::scrollBarInTheSelectionIsLeftOut() {
    e2e::LongPage page;
    QVERIFY(page.start({"--rows", "3000", "--header", "30"}));
    QVERIFY(page.scrollBarWidth() > 0);
    Run run(page.selection().adjusted(0, 0, page.scrollBarWidth(), 0));
    run.start();
    QVERIFY(run.waitForEnd());
    QVERIFY(run.result->kept);
    const QImage got = run.result->picture.convertToFormat(QImage::Format_RGB32);
    const int width = page.page().width();
    QVERIFY2(got.width() >= width && got.width() < width + page.scrollBarWidth(),
             qPrintable(QString::number(got.width())));
    const QImage pageColumns = got.copy(0, 0, width, got.height());
    QVERIFY2(pageColumns == page.page(),
             qPrintable(e2e::firstDifference(pageColumns, page.page())));
}

void TestLongCapture::windowThatDoesNotScrollGivesTheSelection() {
    e2e::LongPage page;
    QVERIFY(page.start({"--static", "--header", "20"}));
    Run run(page.selection());
    run.start();
    QVERIFY(run.waitForEnd());
    QVERIFY(run.result->kept);
    const QImage got = run.result->picture.convertToFormat(QImage::Format_RGB32);
    QVERIFY2(got == page.page(), qPrintable(e2e::firstDifference(got, page.page())));
}

void TestLongCapture::keyEndsIt_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("panelRoom");
    QTest::newRow("Esc discards") << "Escape" << true;
    QTest::newRow("Enter keeps") << "Return" << true;
    QTest::newRow("Esc discards without a panel") << "Escape" << false;
    QTest::newRow("Enter keeps without a panel") << "Return" << false;
}

// Ended early by Esc, nothing; by Enter, the page so far: the top of the page, exactly.
// Where no monitor has room for the panel, the keys still reach the capture.
void TestLongCapture::keyEndsIt() {
    QFETCH(QString, key);
    QFETCH(bool, panelRoom);
    e2e::LongPage page;
    QVERIFY(page.start({"--rows", "20000"}));
    Run run(page.selection(), panelRoom);
    run.start();
    QCOMPARE(run.capture().panel()->isVisible(), panelRoom);
    QVERIFY(e2e::waitFor([&] { return run.capture().height() > 2 * page.selection().height(); }));
    pressKey(run.capture(), key);
    QVERIFY(run.waitForEnd(5000));
    QVERIFY(!run.capture().panel()->isVisible());
    if (key == "Escape") {
        QVERIFY(!run.result->kept);
        QVERIFY(run.result->picture.isNull());
        return;
    }
    QVERIFY(run.result->kept);
    const QImage got = run.result->picture.convertToFormat(QImage::Format_RGB32);
    QVERIFY(got.height() > 2 * page.selection().height());
    const QImage top = page.page().copy(0, 0, got.width(), got.height());
    QVERIFY2(got == top, qPrintable(e2e::firstDifference(got, top)));
}

QTEST_MAIN(TestLongCapture)
#include "test_longcapture.moc"
