// Kolvane's own actions in the region editor, driven through the built program as a
// user drives them: P pins the selection with its drawing where it was selected; O
// reads its text to the clipboard, says when there is none, and is cancelled by Esc;
// Tab selects the window under the pointer as the screen froze it; L scrolls a page
// and hands the whole of it back.
#include "e2e/support/desktop.h"
#include "e2e/support/longpage.h"
#include "e2e/support/noisewindow.h"
#include "e2e/support/pinning.h"
#include "e2e/support/regioneditor.h"
#include "e2e/support/textpicture.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace e2e;

namespace {

// Where each case's picture lies on the desktop, clear of the main window in the
// middle and of the tray panel at the bottom right.
const QRect kPinRegion(1300, 130, 360, 240);
const QRect kKnownText(60, 120, 520, 100);
const QRect kPlainArea(60, 280, 300, 150);
const QRect kLongText(40, 480, 620, 560);
const QRect kTabWindow(1310, 520, 420, 260); // the window's own area, asked of the WM
const QString kLongPageAt = QStringLiteral("1260,60");

const QRgb kRed = qRgb(255, 0, 0); // a rectangle's colour in a fresh editor
const QRgb kPlain = qRgb(214, 222, 230);

// Many lines of both scripts: long enough to read that Esc reaches a running
// recognition.
QStringList longTextLines() {
    QStringList lines;
    for (int i = 0; i < 19; ++i)
        lines << (i % 2 ? QStringLiteral("%1. Copy the text out of a screenshot, line %1").arg(i)
                        : QStringLiteral("第%1行：文字识别把截图中的文字复制出来").arg(i));
    return lines;
}

// Detail everywhere, the texts and a plain area on it.
QImage desktopPicture(QSize size) {
    QImage picture = pinPattern(size, 9);
    QPainter p(&picture);
    p.drawImage(kKnownText.topLeft(), textPicture(kKnownText.size(), kKnownLines));
    p.fillRect(kPlainArea, QColor(kPlain));
    p.drawImage(kLongText.topLeft(), textPicture(kLongText.size(), longTextLines(), 28));
    return picture;
}

// A rectangle's one-pixel outline from `a` to `b`, both corners on it.
void outline(QImage& picture, QPoint a, QPoint b, QRgb colour) {
    for (int x = a.x(); x <= b.x(); ++x) {
        picture.setPixel(x, a.y(), colour);
        picture.setPixel(x, b.y(), colour);
    }
    for (int y = a.y(); y <= b.y(); ++y) {
        picture.setPixel(a.x(), y, colour);
        picture.setPixel(b.x(), y, colour);
    }
}

} // namespace

class TestEditorActions : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QImage desktop_;
    std::unique_ptr<Program> program_;
    bool regionWaits_ = false; // a finished region keeps the editor loaded

    // The program, started where none runs.
    Program& program() {
        if (!program_) {
            program_ = std::make_unique<Program>();
            if (!program_->start() || program_->mainWindow().isEmpty())
                qWarning("Kolvane did not start");
        }
        return *program_;
    }
    qint64 pid() { return program().process().processId(); }

    // Opens the editor, drags out `selection` and types `key`; the editor's window.
    QString selectAndType(const QRect& selection, const QString& key) {
        const QString editor = openRegionEditor(program());
        if (editor.isEmpty()) return {};
        dragSelection(selection);
        return typeKeyInto(editor, key) ? editor : QString();
    }

    // The text `kolvane --ocr` reads on that part of the screen.
    QString textOn(const QRect& area) {
        const QString file = dir_.filePath("shown.png");
        if (!grabScreen().copy(area).save(file)) return {};
        return QString::fromUtf8(run(binary(), {"--ocr", file}, 60000).out);
    }

    // The result window of a recognition, once it shows.
    QString resultWindow() {
        QString id;
        waitFor(
            [&] {
                id = visibleWindowsOf(pid(), QStringLiteral("^文字识别$")).value(0);
                return !id.isEmpty();
            },
            30000);
        return id;
    }
    // Closed by its "关闭", the right one of its two buttons at its bottom right.
    bool closeResultWindow(const QString& id) {
        const QRect area = clientGeometry(id.toULongLong());
        clickAt(area.bottomRight() - QPoint(40, 20));
        return waitFor(
            [&] { return visibleWindowsOf(pid(), QStringLiteral("^文字识别$")).isEmpty(); });
    }

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        const QSize screen = QGuiApplication::primaryScreen()->size();
        QCOMPARE(screen, QSize(1920, 1080));
        desktop_ = desktopPicture(screen);
        QVERIFY2(setDesktopBackground(desktop_, dir_.filePath("desktop.bmp"), kLongText),
                 "the desktop background could not be set");
        const QRect main = windowGeometry(program().mainWindow());
        for (const QRect& area : {kPinRegion, kKnownText, kPlainArea, kLongText, kTabWindow})
            QVERIFY(!area.intersects(main.adjusted(-10, -40, 10, 10)));
    }

    // A region finished in the editor leaves it loaded, to show that region's frozen
    // picture again at the next opening: the next case starts a new program.
    void init() {
        if (regionWaits_) program_.reset();
        regionWaits_ = false;
    }

    void cleanupTestCase() {
        program_.reset();
        run("display", {"-window", "root", "xc:black"}); // leave a plain desktop behind
    }

    // A rectangle drawn, then P: the region with the rectangle stands exactly where it
    // was selected, the main window is back and the clipboard is as it was.
    void pinShowsTheSelectionWithItsDrawing() {
        const QString kept = QStringLiteral("kept while pinning");
        QVERIFY(putTextOnClipboard(kept));
        const QString editor = openRegionEditor(program());
        QVERIFY(!editor.isEmpty());
        dragSelection(kPinRegion);
        clickAt(toolBarIcon(kPinRegion, kRectangleIcon));
        const QPoint a(30, 25), b(170, 140); // in the region's pixels
        drag(kPinRegion.topLeft() + a, kPinRegion.topLeft() + b);
        QVERIFY(typeKeyInto(editor, "p"));
        QVERIFY2(editorLeft(program()), "the editor did not leave");

        QImage shown = desktop_.copy(kPinRegion);
        outline(shown, a, b, kRed);
        QVERIFY(waitFor([&] { return pinWindows(pid()).size() == 1; }));
        QVERIFY(screenShows(shown, kPinRegion.topLeft()));
        QCOMPARE(windowGeometry(pinWindows(pid()).first()).topLeft() + QPoint(1, 1),
                 kPinRegion.topLeft());
        QCOMPARE(clipboardText(), kept);

        // Closed again, so that it covers nothing of the cases after this one.
        clickAt(kPinRegion.center());
        QTest::qWait(200);
        xdotool({"key", "Escape"});
        QVERIFY(waitFor([&] { return pinWindows(pid()).isEmpty(); }));
    }

    // Esc as soon as the main window is back and takes keys, while the recognition of
    // many lines still runs: the tip line says it was cancelled (read back by the
    // recognition of a picture of the main window), and nothing else comes of it.
    void escapeCancelsTheRecognition() {
        const QString kept = QStringLiteral("kept when cancelled");
        QVERIFY(putTextOnClipboard(kept));
        QVERIFY(!selectAndType(kLongText, "o").isEmpty());
        QVERIFY2(editorLeft(program()), "the editor did not leave");
        const QString main = program().mainWindow();
        QVERIFY(typeKeyInto(main, "Escape"));
        QTest::qWait(300); // the tip line painted
        const QString said = textOn(clientGeometry(main.toULongLong()));
        QVERIFY2(said.contains(QStringLiteral("文字识别已取消")), qPrintable(said));
        QCOMPARE(clipboardText(), kept);
        QVERIFY(visibleWindowsOf(pid(), QStringLiteral("^文字识别$")).isEmpty());
    }

    void recognisedTextGoesToTheClipboard() {
        const QString before = QStringLiteral("replaced by the text");
        QVERIFY(putTextOnClipboard(before));
        QVERIFY(!selectAndType(kKnownText, "o").isEmpty());
        QVERIFY2(editorLeft(program()), "the editor did not leave");
        QString text;
        QVERIFY2(waitFor([&] { return (text = clipboardText()) != before; }, 30000),
                 "no text came to the clipboard");
        QCOMPARE(text, kKnownLines.join('\n'));
        QVERIFY(clipboardTargets().contains("UTF8_STRING"));
        const QString result = resultWindow();
        QVERIFY2(!result.isEmpty(), "no result window");
        QVERIFY(closeResultWindow(result));
        QCOMPARE(clipboardText(), text);
    }

    // Nothing to read: the result window says so (read back by the recognition of a
    // picture of it) and the clipboard keeps its text.
    void noTextLeavesTheClipboard() {
        const QString kept = QStringLiteral("kept when nothing is read");
        QVERIFY(putTextOnClipboard(kept));
        QVERIFY(!selectAndType(kPlainArea, "o").isEmpty());
        QVERIFY2(editorLeft(program()), "the editor did not leave");
        const QString result = resultWindow();
        QVERIFY2(!result.isEmpty(), "no result window");
        QTest::qWait(300); // painted
        const QString said = textOn(clientGeometry(result.toULongLong()));
        QVERIFY2(said.contains(QStringLiteral("未识别到文字")), qPrintable(said));
        QCOMPARE(clipboardText(), kept);
        QVERIFY(closeResultWindow(result));
    }

    void tabSelectsTheWindowAsFrozen_data() {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<bool>("doubleClick"); // finished so rather than by Enter
        QTest::addColumn<bool>("clientArea");  // rather than the frame
        QTest::newRow("Tab, Enter: the frame") << QStringList{"Tab"} << false << false;
        QTest::newRow("Tab Tab, double click: the client area")
            << QStringList{"Tab", "Tab"} << true << true;
        QTest::newRow("Tab Tab Shift+Tab, Enter: the frame again")
            << QStringList{"Tab", "Tab", "shift+Tab"} << false << false;
    }
    // The window is moved once the screen is frozen: Tab still chooses it where the
    // frozen picture shows it, and the cut is that picture's pixels.
    void tabSelectsTheWindowAsFrozen() {
        QFETCH(QStringList, keys);
        QFETCH(bool, doubleClick);
        QFETCH(bool, clientArea);
        NoiseWindow window(kTabWindow);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QRect frame;
        QVERIFY(waitFor([&] { return (frame = frameGeometry(window.winId())).isValid(); }));
        const QRect client = clientGeometry(window.winId());
        QVERIFY(putTextOnClipboard(QStringLiteral("replaced by the window")));

        const QString editor = openRegionEditor(program());
        QVERIFY(!editor.isEmpty());
        const QImage frozen = grabScreen();
        QVERIFY(frozen.copy(client) == window.image());
        window.move(window.pos() + QPoint(90, 60));
        movePointer(client.center());
        for (const QString& key : keys)
            QVERIFY(typeKeyInto(editor, key));
        if (doubleClick)
            xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
        else
            QVERIFY(typeKeyInto(editor, "Return"));
        regionWaits_ = true;

        QImage got;
        QVERIFY2(waitFor([&] { return !(got = clipboardImage()).isNull(); }),
                 "no picture on the clipboard");
        got = got.convertToFormat(QImage::Format_RGB32);
        const QImage want = frozen.copy(clientArea ? client : frame);
        QVERIFY2(got == want, qPrintable(firstDifference(got, want)));
        QVERIFY2(editorLeft(program()), "the main window did not come back");
    }

    // L over the page's part of its window: the page is scrolled to its end and comes
    // back whole, exactly, as the finished region.
    void longCaptureGivesTheWholePage() {
        LongPage page;
        QVERIFY(page.start({"--at", kLongPageAt}));
        QVERIFY(putTextOnClipboard(QStringLiteral("replaced by the page")));
        QVERIFY(!selectAndType(page.selection(), "l").isEmpty());
        regionWaits_ = true;
        QImage got;
        QVERIFY2(waitFor([&] { return !(got = clipboardImage()).isNull(); }, 60000),
                 "no picture on the clipboard");
        got = got.convertToFormat(QImage::Format_RGB32);
        QVERIFY2(got == page.page(), qPrintable(firstDifference(got, page.page())));
        QVERIFY2(editorLeft(program()), "the main window did not come back");
    }
};

QTEST_MAIN(TestEditorActions)
#include "test_editor_actions.moc"
