#include "e2e/support/multimonitor.h"

#include "e2e/support/desktop.h"
#include "e2e/support/noisewindow.h"

#include <QColorSpace>
#include <QFile>
#include <QPainter>
#include <QRegion>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace e2e {

namespace {

const QPoint kRegionCommand(80, 278);          // "区域截图", in the main window's pixels
const QPoint kFullScreenCommand(56 + 24, 310); // "全屏截图"
const QPoint kWindowCommand(56 + 24, 294);     // "窗体截图"

// A background with detail everywhere, so that any stray pixel shows.
QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7 + y) & 0xff, (y * 3 + x / 5) & 0xff, (x * y * 13 + x) & 0xff);
    }
    return img;
}

QImage root() {
    QImage image = grabScreen();
    image.setColorSpace(QColorSpace());
    return image;
}

QStringList visible(const QString& nameRegex) {
    return xdotool({"search", "--onlyvisible", "--name", nameRegex})
        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}
bool mainShown() {
    return !visible(QStringLiteral("^Kolvane$")).isEmpty();
}
bool editorShown() {
    return !visible(QStringLiteral("^Kolvane ")).isEmpty();
}

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// A window that changes colour all the time, placed exactly (past the window manager).
class FlipWindow : public QWidget {
public:
    explicit FlipWindow(const QRect& where) {
        setWindowFlags(Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
        setGeometry(where);
        connect(&timer_, &QTimer::timeout, this, [this] {
            red_ = !red_;
            update();
        });
        timer_.start(15);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), red_ ? QColor(255, 0, 0) : QColor(0, 255, 0));
    }

private:
    QTimer timer_;
    bool red_ = false;
};

QString arg(int v) {
    return QString::number(v);
}

} // namespace

QString pictureDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return QStringLiteral("sizes differ: %1x%2, %3x%4")
            .arg(a.width())
            .arg(a.height())
            .arg(b.width())
            .arg(b.height());
    QRect box;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixel(x, y) ^ b.pixel(x, y)) & 0xffffff) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
    return count ? QStringLiteral("%1 pixels differ within %2").arg(count).arg(describe(box))
                 : QString();
}

MultiMonitorTest::MultiMonitorTest(TwoMonitors layout) : layout_(std::move(layout)) {}
MultiMonitorTest::~MultiMonitorTest() = default;

QRect MultiMonitorTest::shorter() const {
    return primary().height() < second().height() ? primary() : second();
}

bool MultiMonitorTest::openEditor() {
    if (!mainShown()) return false;
    program_->moveTo(QPoint(300, 60)); // off the command, so that the click moves there
    program_->click(kRegionCommand);
    if (!waitFor(editorShown) || !waitFor([] { return !mainShown(); })) return false;
    QTest::qWait(500); // the first frame
    return true;
}

bool MultiMonitorTest::closeEditor() {
    xdotool({"key", "Escape"});
    return waitFor(mainShown) && waitFor([] { return !editorShown(); });
}

void MultiMonitorTest::drag(QPoint from, QPoint to) {
    xdotool({"mousemove", "--sync", arg(from.x() - 7), arg(from.y() - 5)});
    xdotool({"mousemove", "--sync", arg(from.x()), arg(from.y()), "mousedown", "1"});
    for (int step = 1; step <= 3; ++step) {
        const QPoint p = from + (to - from) * step / 4;
        xdotool({"mousemove", "--sync", arg(p.x()), arg(p.y())});
    }
    xdotool({"mousemove", "--sync", arg(to.x()), arg(to.y()), "mouseup", "1"});
}

QStringList MultiMonitorTest::captures() const {
    return QDir(folder_).entryList({"*.bmp"}, QDir::Files, QDir::Name);
}

QImage MultiMonitorTest::newCapture(const QStringList& before, int timeoutMs) {
    QString found;
    waitFor(
        [&] {
            for (const QString& f : captures())
                if (!before.contains(f)) found = f;
            return !found.isEmpty();
        },
        timeoutMs);
    if (found.isEmpty()) return {};
    QTest::qWait(200); // written to the end
    const QString path = QDir(folder_).filePath(found);
    QImage image = QImage(path, "bmp").convertToFormat(QImage::Format_RGB32);
    QFile::remove(path);
    return image;
}

void MultiMonitorTest::clickCommand(QPoint command) {
    program_->moveTo(QPoint(300, 60));
    program_->click(command);
}

void MultiMonitorTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QImage screen = root();
    const QRect all = layout_.monitors[0].united(layout_.monitors[1]);
    QCOMPARE(screen.size(), all.size());
    const QString file = dir_.filePath("background.bmp");
    QVERIFY(pattern(screen.size()).save(file));
    run("display", {"-window", "root", file});
    desktop_ = root();
    QVERIFY2(desktop_ != screen, "the desktop background could not be set");
    folder_ = QDir(qEnvironmentVariable("KOLVANE_PROGRAM_DIR")).absoluteFilePath("用户图片");

    program_ = std::make_unique<Program>();
    QVERIFY(program_->start());
    const QString main = program_->mainWindow();
    QVERIFY(!main.isEmpty());
    // The window manager places the window a moment after it is mapped.
    QTRY_VERIFY2_WITH_TIMEOUT(primary().contains(mainArea_ = windowGeometry(main)),
                              qPrintable(describe(mainArea_)), 3000);
}

void MultiMonitorTest::cleanup() {
    // A check that failed with the editor open must not fail the tests after it too.
    if (editorShown()) closeEditor();
}

void MultiMonitorTest::cleanupTestCase() {
    program_.reset();
    run("display", {"-window", "root", "xc:black"});
}

// Frozen means frozen on every monitor: what the editor shows does not change while
// the windows beneath it go on changing, and it shows them as they were.
void MultiMonitorTest::flippingWindowsStopOnceTheEditorIsOpen() {
    std::vector<std::unique_ptr<FlipWindow>> windows;
    std::vector<QRect> areas;
    for (const QRect& m : layout_.monitors) {
        const QRect area(m.topLeft() + QPoint(40, 40), QSize(200, 150));
        QVERIFY(!area.intersects(mainArea_));
        windows.push_back(std::make_unique<FlipWindow>(area));
        windows.back()->show();
        QVERIFY(QTest::qWaitForWindowExposed(windows.back().get()));
        areas.push_back(area);
    }
    QVERIFY(openEditor());
    const QImage first = root();
    QTest::qWait(300);
    const QImage later = root();
    const QString diff = pictureDifference(first, later);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    for (const QRect& area : areas) {
        const QRgb c = first.pixel(area.topLeft()) & 0xffffff;
        QVERIFY2(c == 0xff0000 || c == 0x00ff00, qPrintable(describe(area)));
        const QImage part = first.copy(area);
        QImage solid(area.size(), QImage::Format_RGB32);
        solid.fill(first.pixel(area.topLeft()));
        QVERIFY2(pictureDifference(part, solid).isEmpty(), qPrintable(describe(area)));
    }
    QVERIFY(closeEditor());
    windows.clear();
    QTest::qWait(300);
}

void MultiMonitorTest::regionsEqualTheRootPixels_data() {
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    const QRect s = second();
    const QPoint onSecond = s.topLeft() + QPoint(150, 120);
    QTest::newRow("second monitor") << onSecond << onSecond + QPoint(333, 222);
    const int seam = qMax(layout_.monitors[0].left(), layout_.monitors[1].left());
    QTest::newRow("across the seam") << QPoint(seam - 170, 200) << QPoint(seam + 170, 381);
    // From the shorter monitor down to the taller one: the corner beneath the shorter
    // one is part of no monitor and comes back black.
    const bool shorterRight = shorter().left() == seam;
    const int side = shorterRight ? 1 : -1;
    const int bottom = shorter().bottom() + 1;
    QTest::newRow("over the corner no monitor shows")
        << QPoint(seam + side * 80, bottom - 74) << QPoint(seam - side * 120, bottom + 28);
}

// Selected, then finished with a double click: the clipboard holds exactly the root's
// pixels there, black where no monitor shows the root.
void MultiMonitorTest::regionsEqualTheRootPixels() {
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    // Right and bottom exclusive, as the selection from the press to the release.
    const QRect region(QPoint(qMin(from.x(), to.x()), qMin(from.y(), to.y())),
                       QPoint(qMax(from.x(), to.x()) - 1, qMax(from.y(), to.y()) - 1));
    QVERIFY(openEditor());
    // The root as the editor shows it, frozen: the desktop as it was, with the tray
    // icon that came with the editor.
    QImage expected = root().copy(region);
    QRegion dead(region);
    for (const QRect& m : layout_.monitors)
        dead -= m;
    {
        // The frozen picture is the desktop as it was: apart from the tray panel (our
        // icon is in it now) and what no monitor shows.
        QImage was = desktop_.copy(region), is = expected;
        QRegion skip = dead;
        const QString tray = xdotool({"search", "--onlyvisible", "--class", "trayer"})
                                 .section(QLatin1Char('\n'), 0, 0);
        // The panel moves and grows as icons dock in it: its whole strip is left out.
        if (!tray.isEmpty()) skip += windowGeometry(tray).adjusted(-300, -4, 300, 4);
        for (QImage* picture : {&was, &is}) {
            QPainter p(picture);
            for (const QRect& r : skip)
                p.fillRect(r.translated(-region.topLeft()), Qt::black);
        }
        const QString diff = pictureDifference(is, was);
        QVERIFY2(diff.isEmpty(), qPrintable("frozen picture: " + diff));
        QPainter p(&expected);
        for (const QRect& r : dead)
            p.fillRect(r.translated(-region.topLeft()), Qt::black);
    }
    drag(from, to);
    QTest::qWait(200);
    const QPoint inside = region.center();
    xdotool({"mousemove", "--sync", arg(inside.x()), arg(inside.y())});
    xdotool({"click", "--repeat", "2", "--delay", "80", "1"});
    QVERIFY2(waitFor(mainShown), "the main window did not come back");
    QImage cut;
    QVERIFY(waitFor([&] { return !(cut = clipboardImage()).isNull(); }));
    cut = cut.convertToFormat(QImage::Format_RGB32);
    const QString diff = pictureDifference(cut, expected);
    if (!diff.isEmpty() && qEnvironmentVariableIsSet("KOLVANE_TEST_KEEP")) {
        cut.save(qEnvironmentVariable("KOLVANE_TEST_KEEP") + "/cut.png");
        expected.save(qEnvironmentVariable("KOLVANE_TEST_KEEP") + "/expected.png");
    }
    QVERIFY2(diff.isEmpty(), qPrintable(diff + " in " + describe(region)));
}

// A selection near the bottom of the shorter monitor: the tool bar goes inside the
// selection there, on that monitor, not below it where only the taller one has room.
void MultiMonitorTest::toolBarStaysOnTheSelectionsMonitor() {
    const QRect m = shorter();
    const QRect sel(m.left() + 300, m.bottom() + 1 - 214, 400, 200);
    QVERIFY(openEditor());
    const QImage frozen = root();
    drag(sel.topLeft(), sel.topLeft() + QPoint(sel.width(), sel.height()));
    xdotool({"mousemove", "--sync", arg(sel.left() - 60), arg(sel.top() - 60)});
    QTest::qWait(400);
    const QImage shown = root();
    // What changed apart from the outline, its handles and the read-outs.
    QRect bar;
    const QRect readOuts(sel.topLeft(), QSize(240, 70));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            if (((shown.pixel(x, y) ^ frozen.pixel(x, y)) & 0xffffff) == 0) continue;
            // Where no monitor is, the server keeps no pixels to compare.
            if (!layout_.monitors[0].contains(x, y) && !layout_.monitors[1].contains(x, y))
                continue;
            const bool onOutline =
                (qAbs(x - sel.left()) <= 3 || qAbs(x - (sel.left() + sel.width())) <= 3 ||
                 qAbs(y - sel.top()) <= 3 || qAbs(y - (sel.top() + sel.height())) <= 3) &&
                sel.adjusted(-3, -3, 4, 4).contains(x, y);
            if (onOutline || readOuts.contains(x, y)) continue;
            bar |= QRect(x, y, 1, 1);
        }
    QVERIFY(closeEditor());
    QVERIFY2(bar.width() >= 200 && bar.height() >= 20, qPrintable(describe(bar)));
    QVERIFY2(m.contains(bar), qPrintable(describe(bar) + " outside " + describe(m)));
    QVERIFY2(sel.contains(bar), qPrintable(describe(bar) + " outside the selection"));
}

void MultiMonitorTest::fullScreenCaptureIsThePrimaryMonitor() {
    const QStringList before = captures();
    clickCommand(kFullScreenCommand);
    const QImage capture = newCapture(before);
    QVERIFY2(!capture.isNull(), "no capture was saved");
    QImage expected = root().copy(primary());
    // The main window has moved on since (its clock); the rest is compared.
    const QRect main = mainArea_.translated(-primary().topLeft());
    QPainter(&expected).drawImage(main, capture.copy(main));
    const QString diff = pictureDifference(capture, expected);
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

void MultiMonitorTest::activeWindowOnTheSecondMonitor() {
    NoiseWindow target(QRect(second().topLeft() + QPoint(200, 150), QSize(320, 200)));
    target.show();
    QVERIFY(QTest::qWaitForWindowExposed(&target));
    const QStringList before = captures();
    clickCommand(kWindowCommand);
    xdotool({"windowactivate", "--sync", QString::number(target.winId())});
    const QImage capture = newCapture(before);
    QVERIFY2(!capture.isNull(), "no capture was saved");
    const QRect frame = frameGeometry(target.winId());
    const QRect client = clientGeometry(target.winId());
    QVERIFY2(second().contains(frame) && frame.contains(client) && frame != client,
             qPrintable(describe(frame) + " / " + describe(client)));
    QString diff = pictureDifference(capture, root().copy(frame));
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
    diff = pictureDifference(capture.copy(QRect(client.topLeft() - frame.topLeft(), client.size())),
                             target.image());
    QVERIFY2(diff.isEmpty(), qPrintable(diff));
}

} // namespace e2e
