// Kolvane on a monitor at scale 2 (3840 x 2160): the main window drawn at twice its
// design, whichever way the desktop says so, and the region editor still exact to
// the screen pixel.
#include "app/artwork.h"
#include "app/frmmain.h"
#include "e2e/support/desktop.h"
#include "e2e/support/regioneditor.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

using namespace e2e;

namespace {

constexpr double kScale = 2.0;
const QSize kWindowSize(1122, 930);
// Where the banner picture stands in the window, and a part of it that nothing
// else covers (right of the title, left of the title-bar buttons).
const QRect kBanner(1, 1, 1118, 60);
const QRect kBannerClear(420, 2, 540, 56);
// The status bar's clock, which changes every second.
const QRect kClock(330, 850, 480, 60);
// "区域截图" on the capture page, in the window's own pixels.
const QPoint kScaledRegionCommand(150, 556);

void setXftDpi(int dpi) {
    run(QStringLiteral("xrdb"), {"-nocpp", "-merge"}, 5000,
        QStringLiteral("Xft.dpi: %1\n").arg(dpi).toLatin1());
}

QString visibleWindow(const QString& namePattern, const QString& pid) {
    const QStringList ids =
        xdotool({"search", "--all", "--onlyvisible", "--pid", pid, "--name", namePattern})
            .split('\n', Qt::SkipEmptyParts);
    return ids.isEmpty() ? QString() : ids.first();
}

// Pixels that differ (colour only), outside `skip`.
int differences(const QImage& a, const QImage& b, const QRect& skip = {}) {
    if (a.isNull() || a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int r = 0; r < x.height(); ++r) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            if (((p[c] ^ q[c]) & 0xffffff) && !skip.contains(c, r)) ++n;
    }
    return n;
}

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

// The environment the program meets: no font resolution of ours, plus `extra`.
QProcessEnvironment environmentWith(const QString& variable, const QString& value) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* v :
         {"QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING"})
        env.remove(QString::fromLatin1(v));
    if (!variable.isEmpty()) env.insert(variable, value);
    return env;
}

// Labels that are cut off, stick out of the window or run into each other or into
// the controls beside them; the window as shown.
QStringList layoutFaults(kv::FrmMain& w) {
    QStringList faults;
    auto name = [](const QWidget* x) {
        if (auto* l = qobject_cast<const QLabel*>(x))
            return QStringLiteral("\"%1\"").arg(l->text().left(12));
        return QString::fromLatin1(x->metaObject()->className());
    };
    std::vector<const QLabel*> labels;
    std::vector<const QWidget*> controls;
    for (const QWidget* c : w.findChildren<QWidget*>()) {
        if (!c->isVisibleTo(&w)) continue;
        // Pictures are labels without text now (they take the pointer as labels do);
        // they are checked as the pictures they are, not as text.
        auto* l = qobject_cast<const QLabel*>(c);
        if (l && !l->text().isEmpty())
            labels.push_back(l);
        else if (c == w.capturePage().PicMain || c == w.colourPage().ImgCLR ||
                 c == w.colourPage().PicCLR || c == w.colourPage().Picture1 || c == w.Image1 ||
                 c == w.Image2 || c == w.ImgIcon || qobject_cast<const QLineEdit*>(c) ||
                 qobject_cast<const QScrollBar*>(c))
            controls.push_back(c); // the banner and its buttons lie under their labels
    }
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const QLabel* l = labels[i];
        if (!w.rect().contains(l->geometry()))
            faults << QStringLiteral("%1 leaves the window").arg(name(l));
        if (!l->wordWrap() &&
            (l->sizeHint().width() > l->width() || l->sizeHint().height() > l->height()))
            faults << QStringLiteral("%1 is cut off").arg(name(l));
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            if (l->geometry().intersects(labels[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(name(l), name(labels[j]));
        for (const QWidget* c : controls)
            if (l->geometry().intersects(c->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(name(l), name(c));
    }
    return faults;
}

} // namespace

class TestScale2 : public QObject {
    Q_OBJECT
    QImage firstWindow_; // the main window of the first row, for the others to match

private slots:
    void cleanupTestCase() { setXftDpi(192); }
    // Back to one screen after a test that split it.
    void cleanup() {
        if (!monitorsSplit_) return;
        run("xrandr", {"--delmonitor", "LEFT"});
        run("xrandr", {"--delmonitor", "RIGHT"});
        monitorsSplit_ = false;
    }

    // Text at twice the size in a frame at twice the size: every label keeps to its
    // place, on both pages.
    void labelsFitAndStayApart() {
        kv::SystemClock clock;
        kv::FrmMainServices services;
        services.clock = &clock;
        services.programDir = QCoreApplication::applicationDirPath();
        services.scale = kv::UiScale(kScale);
        kv::FrmMain w(services);
        w.Form_Load();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), kWindowSize);
        QCOMPARE(QFontInfo(w.LblTrim->font()).pixelSize(), 24); // 9 points at 192 dpi
        QStringList faults = layoutFaults(w);
        QVERIFY2(faults.isEmpty(), qPrintable("capture page: " + faults.join("; ")));
        w.ShowColourPage();
        faults = layoutFaults(w);
        QVERIFY2(faults.isEmpty(), qPrintable("colour page: " + faults.join("; ")));
    }

    void mainWindowDrawnAtScale2_data() {
        QTest::addColumn<int>("xftDpi");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("value");
        QTest::newRow("Xft.dpi 192") << 192 << QString() << QString();
        QTest::newRow("Xft.dpi 192, QT_SCALE_FACTOR 2") << 192 << "QT_SCALE_FACTOR"
                                                        << "2";
        QTest::newRow("Xft.dpi 96, QT_SCALE_FACTOR 2") << 96 << "QT_SCALE_FACTOR"
                                                       << "2";
        QTest::newRow("Xft.dpi 96, screen factor by name") << 96 << "QT_SCREEN_SCALE_FACTORS"
                                                           << "screen=2";
        QTest::newRow("Xft.dpi 96, screen factor list") << 96 << "QT_SCREEN_SCALE_FACTORS"
                                                        << "2";
    }
    void mainWindowDrawnAtScale2() {
        QFETCH(int, xftDpi);
        QFETCH(QString, variable);
        QFETCH(QString, value);
        setXftDpi(xftDpi);
        xdotool({"mousemove", "3800", "2100"}); // nothing hovered
        Program kolvane;
        kolvane.process().setProcessEnvironment(environmentWith(variable, value));
        QVERIFY(kolvane.start());
        const QString id = kolvane.mainWindow();
        QVERIFY2(!id.isEmpty(), "no window named Kolvane appeared");
        const QRect frame = windowGeometry(id);
        QCOMPARE(frame.size(), kWindowSize);

        QImage shown;
        const QImage banner = kv::artwork::Banner(kBanner.size(), kScale)
                                  .copy(kBannerClear.translated(-kBanner.topLeft()));
        waitFor([&] {
            shown = grabScreen().copy(frame);
            return differences(shown.copy(kBannerClear), banner) == 0;
        });
        // The banner is the artwork drawn at scale 2, not the scale-1 picture enlarged.
        QCOMPARE(differences(shown.copy(kBannerClear), banner), 0);
        const QImage enlarged =
            kv::artwork::Banner(QSize(559, 30))
                .scaled(kBanner.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .copy(kBannerClear.translated(-kBanner.topLeft()));
        QVERIFY(differences(enlarged, banner) > 0);

        // Whichever setting said so, the window looks the same.
        if (firstWindow_.isNull())
            firstWindow_ = shown;
        else
            QCOMPARE(differences(shown, firstWindow_, kClock), 0);
    }

    // A region dragged on the scale-2 screen comes back pixel for pixel: the editor
    // works in screen pixels, whatever the main window's scale.
    void regionIsExactScreenPixels() {
        setXftDpi(192);
        regionComesBackExact(QRect(1203, 701, 601, 301), environmentWith({}, {}),
                             QRect(0, 0, 3840, 2160));
    }

    // Two monitors of different scales on one screen: the main window takes the scale
    // of the monitor it opens on, the primary; the editor stays exact.
    void monitorsOfDifferentScales_data() {
        QTest::addColumn<QString>("factors");
        QTest::addColumn<QSize>("size");
        QTest::newRow("window's monitor at 2") << "LEFT=2;RIGHT=1" << kWindowSize;
        QTest::newRow("other monitor at 2") << "LEFT=1;RIGHT=2" << QSize(561, 465);
    }
    void monitorsOfDifferentScales() {
        QFETCH(QString, factors);
        QFETCH(QSize, size);
        setXftDpi(96);
        splitIntoTwoMonitors();
        Program kolvane;
        kolvane.process().setProcessEnvironment(
            environmentWith("QT_SCREEN_SCALE_FACTORS", factors));
        QVERIFY(kolvane.start());
        const QString id = kolvane.mainWindow();
        QVERIFY(!id.isEmpty());
        QCOMPARE(windowGeometry(id).size(), size);
        QVERIFY(QRect(0, 0, 1920, 2160).contains(windowGeometry(id)));
    }
    // On the scale-2 monitor, on the scale-1 one and across the seam.
    void regionExactOnMonitorsOfDifferentScales_data() {
        QTest::addColumn<QRect>("region");
        QTest::newRow("scale-2 monitor") << QRect(301, 1203, 777, 555);
        QTest::newRow("scale-1 monitor") << QRect(2401, 303, 555, 444);
        QTest::newRow("across the seam") << QRect(1701, 901, 500, 301);
    }
    void regionExactOnMonitorsOfDifferentScales() {
        QFETCH(QRect, region);
        splitIntoTwoMonitors();
        regionComesBackExact(region, environmentWith("QT_SCREEN_SCALE_FACTORS", "LEFT=2;RIGHT=1"),
                             QRect(0, 0, 3840, 2160));
    }

private:
    // The screen shown as two monitors side by side, LEFT the primary; back to one screen
    // when the test function ends.
    void splitIntoTwoMonitors() {
        run("xrandr", {"--setmonitor", "*LEFT", "1920/500x2160/280+0+0", "screen"});
        run("xrandr", {"--setmonitor", "RIGHT", "1920/500x2160/280+1920+0", "none"});
        monitorsSplit_ = true;
    }
    bool monitorsSplit_ = false;

    // Shows a backdrop, drags `region` in the editor of a program started with `env`
    // and compares the clipboard with the backdrop. The editor must cover `editorArea`.
    void regionComesBackExact(const QRect& region, const QProcessEnvironment& env,
                              const QRect& editorArea) {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QImage backdrop = backdropPicture(grabScreen().size());
        QCOMPARE(backdrop.size(), QSize(3840, 2160));
        const QString file = dir.filePath("backdrop.bmp");
        QVERIFY(backdrop.save(file));
        run("display", {"-window", "root", file}, 30000);
        QVERIFY(waitFor(
            [&] { return differences(grabScreen().copy(region), backdrop.copy(region)) == 0; }));

        Program kolvane;
        kolvane.process().setProcessEnvironment(env);
        QVERIFY(kolvane.start());
        QVERIFY(!kolvane.mainWindow().isEmpty());
        const QString pid = QString::number(kolvane.process().processId());
        kolvane.click(kScaledRegionCommand);
        QVERIFY(waitFor([&] { return visibleWindow("^Kolvane$", pid).isEmpty(); }));
        QVERIFY2(waitFor([&] {
                     const QString editor = visibleWindow("^Kolvane ", pid);
                     return !editor.isEmpty() && windowGeometry(editor).contains(editorArea);
                 }),
                 "the editor does not cover the screen one to one");
        dragSelection(region);
        doubleClickAt(region.center());
        QVERIFY2(waitFor([&] { return !visibleWindow("^Kolvane$", pid).isEmpty(); }),
                 visibleWindow("^Kolvane ", pid).isEmpty()
                     ? "the editor closed, but the main window did not come back"
                     : "the editor is still up: the double click did not finish it");
        QImage got;
        QVERIFY(waitFor([&] { return !(got = clipboardImage()).isNull(); }));
        QCOMPARE(got.size(), region.size());
        QCOMPARE(differences(got, backdrop.copy(region)), 0);
        run("display", {"-window", "root", "xc:black"}, 30000);
    }
};

int main(int argc, char** argv) {
    // This process reads the screen in its own pixels and sets text for scale 2, as
    // the program does (the programs it starts get neither setting).
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_FONT_DPI", "192");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont ui(QStringLiteral("WenQuanYi Micro Hei"));
    ui.setPointSize(9);
    QApplication::setFont(ui);
    TestScale2 test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_scale2.moc"
