// A region from the screen to the clipboard and to a file, as a user does it:
// drag a selection over a known picture, double-click inside it, then save it
// from the main window, with a cancelled dialog and a failed save on the way.
#include "e2e/support/desktop.h"
#include "e2e/support/regioneditor.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace e2e;

namespace {

// Every pixel differs from its neighbours, so an offset by one shows.
QImage backdropPicture(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x % 256, y % 256, (x * 3 + y * 5) % 256);
    }
    return img;
}

// Command labels of the main window's capture page, in its own pixels.
const QPoint kRegionCapture(80, 278); // "区域截图"
const QPoint kSaveImage(80, 326);     // "保存图像"
const QPoint kClose(543, 11);         // the title bar's close button

// The selection dragged out in the editor, in screen pixels.
const QRect kRegion(200, 150, 320, 240);

QString visibleWindow(const QString& namePattern, const QString& pid = {}) {
    // --all: the pid and the name must both match (xdotool's default is either).
    QStringList args{"search", "--all", "--onlyvisible"};
    if (!pid.isEmpty()) args << "--pid" << pid;
    args << "--name" << namePattern;
    const QStringList ids = xdotool(args).split('\n', Qt::SkipEmptyParts);
    return ids.isEmpty() ? QString() : ids.first();
}

// A key pressed in a window, as typed on the keyboard (a chained xdotool command
// would send a synthetic event, which Qt ignores).
void pressKey(const QString& window, const QString& key) {
    xdotool({"windowactivate", "--sync", window});
    xdotool({"key", "--clearmodifiers", key});
}

// Pixel for pixel; a colour space that a decoder attached plays no part.
bool sameImage(const QImage& a, const QImage& b) {
    if (a.isNull() || a.size() != b.size()) return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int r = 0; r < x.height(); ++r) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            if ((p[c] ^ q[c]) & 0xffffff) return false;
    }
    return true;
}

} // namespace

class TestFinishSave : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // The X screen's size in its own pixels, whatever scale Qt would apply here.
        picture_ = backdropPicture(grabScreen().size());
        QVERIFY(!picture_.isNull());
        const QString file = dir_.filePath("backdrop.bmp");
        QVERIFY(picture_.save(file));
        run("display", {"-window", "root", file}); // the desktop background
        QVERIFY(
            waitFor([&] { return sameImage(grabScreen().copy(kRegion), picture_.copy(kRegion)); }));
        QVERIFY(program_.start());
        QVERIFY(!program_.mainWindow().isEmpty());
        pid_ = QString::number(program_.process().processId());
    }

    void doubleClickPutsTheRegionOnTheClipboard() {
        finishRegion();
        if (QTest::currentTestFailed()) return;
        QVERIFY(waitFor([&] { return !clipboardImage().isNull(); }));
        QVERIFY(sameImage(clipboardImage(), picture_.copy(kRegion)));
    }

    void cancelledDialogKeepsTheRegion() {
        program_.click(kSaveImage);
        QString dialog;
        QVERIFY(waitFor([&] { return !(dialog = visibleWindow("^保存为$", pid_)).isEmpty(); }));
        pressKey(dialog, "Escape");
        QVERIFY(waitFor([&] { return visibleWindow("^保存为$", pid_).isEmpty(); }));
        QVERIFY(sameImage(clipboardImage(), picture_.copy(kRegion)));
    }

    // A name in a folder that does not exist: the error box, and the region waits.
    void failedSaveKeepsTheRegion() {
        const QString missing = dir_.filePath("missing/region.png");
        saveAs(missing);
        if (QTest::currentTestFailed()) return;
        QString box;
        QVERIFY(waitFor([&] { return !(box = visibleWindow("^错误$", pid_)).isEmpty(); }));
        pressKey(box, "Return");
        QVERIFY(waitFor([&] { return visibleWindow("^错误$", pid_).isEmpty(); }));
        QVERIFY(!QFile::exists(missing));
        QVERIFY(sameImage(clipboardImage(), picture_.copy(kRegion)));
    }

    // Other programs paste the region as PNG and as BMP, also while a new region
    // capture is open over it; leaving that capture keeps the region.
    void pastedWhileTheEditorIsOpenAgain() {
        const QImage region = picture_.copy(kRegion);
        QVERIFY(sameImage(pasted("image/bmp"), region));
        program_.click(kRegionCapture);
        QVERIFY(waitFor([&] { return visibleWindow("^Kolvane$", pid_).isEmpty(); }));
        QString editor;
        QVERIFY(waitFor([&] { return !(editor = visibleWindow("^Kolvane ", pid_)).isEmpty(); }));
        for (const char* type : {"image/png", "image/bmp"})
            QVERIFY2(sameImage(pasted(type), region), type);
        pressKey(editor, "Escape");
        QVERIFY(waitFor([&] { return !visibleWindow("^Kolvane$", pid_).isEmpty(); }));
        QVERIFY(sameImage(clipboardImage(), region));
        finishRegion(); // the region waits to be saved again
    }

    // Once another program took the clipboard, it pastes what that one copied.
    void clipboardTakenByAnotherProgram() {
        run("xclip", {"-selection", "clipboard", "-i"}, 5000, "#1E90FF");
        QVERIFY(waitFor([&] { return clipboardText() == "#1E90FF"; }));
        QVERIFY(clipboardImage().isNull());
        QVERIFY(!clipboardTargets().contains("image/png"));
        finishRegion();
        if (QTest::currentTestFailed()) return;
        QVERIFY(waitFor([&] { return sameImage(clipboardImage(), picture_.copy(kRegion)); }));
    }

    // A typed name without extension becomes a PNG; the clipboard is then empty.
    void savedAsPngAndClipboardCleared() {
        saveAs(dir_.filePath("region"));
        if (QTest::currentTestFailed()) return;
        const QString written = dir_.filePath("region.PNG");
        QVERIFY(waitFor([&] { return sameImage(QImage(written), picture_.copy(kRegion)); }));
        QVERIFY(waitFor([&] { return clipboardTargets().isEmpty(); }));
        QVERIFY(clipboardImage().isNull());
    }

    // Quitting with a region on the clipboard hands it to the clipboard manager,
    // so that it can still be pasted once the program has gone.
    void regionOutlivesTheProgram() {
        QProcess keeper;
        keeper.start(qEnvironmentVariable("KOLVANE_CLIPBOARD_KEEPER"), QStringList());
        QVERIFY(keeper.waitForReadyRead(5000));
        QCOMPARE(keeper.readLine().trimmed(), QByteArray("ready"));
        finishRegion();
        if (QTest::currentTestFailed()) return;
        QVERIFY(waitFor([&] { return sameImage(clipboardImage(), picture_.copy(kRegion)); }));
        program_.click(kClose);
        QVERIFY(program_.process().waitForFinished(10000));
        QCOMPARE(program_.process().exitCode(), 0);
        QVERIFY(sameImage(clipboardImage(), picture_.copy(kRegion)));
        keeper.terminate();
        keeper.waitForFinished(5000);
    }

    void cleanupTestCase() {
        program_.stop();
        run("display", {"-window", "root", "xc:black"});
    }

private:
    // Opens the editor, drags out kRegion and double-clicks inside it; the main
    // window comes back.
    void finishRegion() {
        program_.click(kRegionCapture);
        // The editor covers the screen and the main window is gone.
        QVERIFY(waitFor([&] { return visibleWindow("^Kolvane$", pid_).isEmpty(); }));
        QVERIFY(waitFor([&] {
            const QString id = visibleWindow("^Kolvane ", pid_);
            return !id.isEmpty() && windowGeometry(id).size() == picture_.size();
        }));
        dragSelection(kRegion);
        doubleClickAt(kRegion.center());
        QVERIFY(waitFor([&] { return !visibleWindow("^Kolvane$", pid_).isEmpty(); }));
    }

    static QImage pasted(const char* type) {
        const CommandResult r = run("xclip", {"-selection", "clipboard", "-t", type, "-o"}, 5000);
        return r.exitCode == 0 ? QImage::fromData(r.out) : QImage();
    }

    // Opens the save dialog from the main window and types a file name into it.
    void saveAs(const QString& name) {
        program_.click(kSaveImage);
        QString dialog;
        QVERIFY(waitFor([&] { return !(dialog = visibleWindow("^保存为$", pid_)).isEmpty(); }));
        xdotool({"windowactivate", "--sync", dialog});
        xdotool({"key", "--clearmodifiers", "ctrl+a"});
        xdotool({"type", "--delay", "10", name});
        xdotool({"key", "--clearmodifiers", "Return"});
    }

    QImage picture_;
    Program program_;
    QString pid_;
    QTemporaryDir dir_;
};

QTEST_MAIN(TestFinishSave)
#include "test_finish_save.moc"
