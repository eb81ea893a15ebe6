// Region editor figures: the time from the click on "区域截图" to the editor's first
// painted frame, and what the undo history costs in memory and time for a stroke.
#include "app/frmmain.h"
#include "bench/openingtimeline.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/screenreaderfactory.h"
#include "snapshot/history.h"
#include "snapshot/surface.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPainterPath>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace kv;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// ---- opening ----
// The real screen, with only part of its monitors made known: the editor then reads,
// covers and paints just that part, as on a desktop of that size.
class PartOfTheScreen final : public ScreenReader {
public:
    PartOfTheScreen(ScreenReader& real, Monitors monitors)
        : real_(real), monitors_(std::move(monitors)) {}
    std::optional<QRgb> pixel(QPoint p) override { return real_.pixel(p); }
    ScreenGrab grab(const QRect& r) override { return real_.grab(r); }
    QSize screenSize() const override { return monitors_.primaryRect().size(); }
    Monitors monitors() const override {
        real_.monitors(); // asked of the server as on the whole desktop, so it costs the same
        return monitors_;
    }

private:
    ScreenReader& real_;
    Monitors monitors_;
};

using Timeline = std::vector<std::pair<QString, std::vector<double>>>;

void printOpening(ScreenReader& screen, const std::vector<double>& open,
                  const std::vector<double>& grab, const Timeline& timeline) {
    const QRect root = screen.monitors().root;
    const double o = median(open), b = median(grab);
    std::printf("desktop %dx%d in %d monitor(s)\n", root.width(), root.height(),
                int(screen.monitors().list.size()));
    std::printf("click to first editor frame: median %.1f ms (min %.1f, target < 100)\n", o,
                *std::min_element(open.begin(), open.end()));
    for (const auto& [what, at] : timeline)
        std::printf("    %-18s at %.1f ms (median)\n", qPrintable(what), median(at));
    std::printf("bare full-screen read:       median %.1f ms; opening = %.1f x the read\n", b,
                b > 0 ? o / b : 0.0);
}

// A click on "区域截图"; the time to the editor's first frame, -1 when none came.
double openOnce(FrmMain& main, int run) {
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(main.LblColor[kv::Command::RegionCapture], Qt::LeftButton);
    const double clicked = t.nsecsElapsed() / 1e6;
    FrmSnap* snap = main.capturePage().Snap.data();
    if (!snap) {
        std::printf("the editor did not open\n");
        return -1;
    }
    // Read the clock when the frame is reported, not when this loop gets round to it.
    double framed = -1;
    const QMetaObject::Connection stamp = QObject::connect(
        snap, &FrmSnap::firstFramePainted, snap, [&] { framed = t.nsecsElapsed() / 1e6; });
    QSignalSpy painted(snap, &FrmSnap::firstFramePainted);
    const bool came = !painted.isEmpty() || painted.wait(5000);
    QObject::disconnect(stamp); // `framed` goes with this call
    if (!came) {
        std::printf("no frame painted\n");
        return -1;
    }
    std::printf("  run %d: %.1f ms (click handled after %.1f ms)\n", run, framed, clicked);
    return framed;
}

// The median time from the click to the editor's first frame; -1 when it never came.
double benchOpening(ScreenReader* screen) {
    keepLargeBlocksForReuse(); // as the program does
    SystemClock clock;
    FrmMainServices services;
    services.clock = &clock;
    services.screen = screen;
    services.programDir = QCoreApplication::applicationDirPath();
    bench::OpeningTimeline opening;
    services.probe = &opening;
    FrmMain main(services);
    main.Form_Load();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) {
        std::printf("main window never shown\n");
        return -1;
    }
    QTest::qWait(300);

    std::vector<double> open, grab;
    Timeline timeline;
    const QRect root = screen->monitors().root;
    for (int run = 0; run < 7; ++run) {
        const double framed = openOnce(main, run);
        if (framed < 0) return -1;
        open.push_back(framed);
        for (std::size_t i = 0; i < opening.steps.size(); ++i) {
            if (timeline.size() <= i) timeline.push_back({opening.steps[i].first, {}});
            timeline[i].second.push_back(opening.steps[i].second);
        }
        main.capturePage().Snap->Form_KeyPress(27); // Esc: back to the main window
        QTest::qWait(200);

        // The baseline: one bare read of the whole screen through the same reader.
        QElapsedTimer g;
        g.start();
        const QImage shot = screen->grab(root).image;
        grab.push_back(g.nsecsElapsed() / 1e6);
        QTest::qWait(100);
    }
    const double o = median(open);
    printOpening(*screen, open, grab, timeline);
    return o;
}

// On a desktop wider than 1920x1080 (the two-monitor test desktop, 3200x1080), the
// opening over all of it against the opening over a 1920x1080 part of it, in one run.
void benchOpenings() {
    auto screen = createScreenReader();
    const Monitors all = screen->monitors();
    const QRect part(0, 0, 1920, 1080);
    if (!all.root.contains(part) || all.root == part) {
        benchOpening(screen.get());
        std::printf("(run on a desktop wider than 1920x1080, e.g. KOLVANE_DESKTOP=xinerama, "
                    "for the comparison of two sizes)\n");
        return;
    }
    PartOfTheScreen baseline(*screen, Monitors::single(part));
    std::printf("-- over 1920x1080 (one monitor)\n");
    const double one = benchOpening(&baseline);
    std::printf("-- over the whole desktop\n");
    const double whole = benchOpening(screen.get());
    if (one > 0 && whole > 0)
        std::printf("click to first frame: %dx%d %.1f ms against 1920x1080 %.1f ms = %.2f x "
                    "(target < 1.3; pixels %.2f x)\n",
                    all.root.width(), all.root.height(), whole, one, whole / one,
                    double(all.root.width()) * all.root.height() / (1920.0 * 1080.0));
}

// ---- history ----
// A 4K "screenshot": flat panels, text and a photo-like area, so that tiles of every
// kind occur.
QImage screenshotLike(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(240, 240, 240));
    QPainter p(&img);
    p.fillRect(0, 0, size.width(), 60, QColor(40, 60, 90));
    p.setPen(Qt::black);
    QFont f;
    f.setPixelSize(16);
    p.setFont(f);
    for (int y = 100; y < size.height() / 2; y += 22)
        p.drawText(
            40, y,
            QStringLiteral("Kolvane region editor history benchmark line %1 · 区域截图").arg(y));
    p.end();
    // Photo-like noise over the lower right quarter.
    quint32 s = 12345;
    for (int y = size.height() / 2; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = size.width() / 2; x < size.width(); ++x) {
            s = s * 1664525u + 1013904223u;
            line[x] =
                qRgb((x / 8 + (s >> 28)) & 0xff, (y / 8 + (s >> 24 & 15)) & 0xff, (s >> 16) & 0xff);
        }
    }
    return img;
}

qint64 changedPixels(const QImage& a, const QImage& b) {
    qint64 n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            n += la[x] != lb[x];
    }
    return n;
}

// Brush strokes of 6 pixels wandering over the picture until 1 % of it has changed.
QImage brushStroke(const QImage& base) {
    QImage img = base.copy();
    const qint64 goal = qint64(base.width()) * base.height() * 115 / 10000; // overlaps count once
    QPainter p(&img);
    p.setPen(QPen(Qt::red, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPointF at(300, 300);
    quint32 s = 99;
    qint64 drawn = 0;
    while (drawn < goal) {
        s = s * 1664525u + 1013904223u;
        const QPointF next(
            std::clamp(at.x() + double(int(s >> 24) - 128), 10.0, base.width() - 10.0),
            std::clamp(at.y() + double(int(s >> 16 & 0xff) - 128), 10.0, base.height() - 10.0));
        p.drawLine(at, next);
        drawn += qint64(QLineF(at, next).length() * 6);
        at = next;
    }
    p.end();
    return img;
}

QImage blockStroke(const QImage& base) {
    QImage img = base.copy();
    QPainter p(&img);
    p.fillRect(QRect(2400, 1400, base.width() / 10, base.height() / 10), QColor(0, 122, 236));
    return img;
}

void benchHistory(const char* name, const QImage& snapshot, const QImage& stroked) {
    const double raw = double(snapshot.sizeInBytes());
    History h;
    h.start(snapshot);
    const std::size_t before = h.storedBytes();
    QElapsedTimer t;
    t.start();
    h.push(stroked);
    const double pushMs = t.nsecsElapsed() / 1e6;
    const double added = double(h.storedBytes() - before);
    // As the editor does: the picture shown is let go of before each step.
    std::vector<double> undo, redo;
    QImage shown = stroked;
    bool right = true;
    for (int i = 0; i < 9; ++i) {
        shown = QImage();
        t.restart();
        shown = h.undo().value_or(QImage());
        undo.push_back(t.nsecsElapsed() / 1e6);
        if (i == 0) right = right && shown == snapshot;
        shown = QImage();
        t.restart();
        shown = h.redo().value_or(QImage());
        redo.push_back(t.nsecsElapsed() / 1e6);
        if (i == 0) right = right && shown == stroked;
    }
    if (!right) std::printf("  (history gave a wrong picture!)\n");
    std::printf("%s: %.2f %% of the pixels changed\n", name,
                100.0 * double(changedPixels(snapshot, stroked)) /
                    (snapshot.width() * double(snapshot.height())));
    std::printf("  memory added by the stroke: %.0f KB = %.2f %% of the raw %.1f MB picture "
                "(target < 5 %%)\n",
                added / 1024, 100 * added / raw, raw / 1e6);
    std::printf("  push %.1f ms; undo median %.2f ms, redo median %.2f ms (target < 16)\n", pushMs,
                median(undo), median(redo));
    // Baseline in the same process: one plain copy of the whole picture.
    t.restart();
    QImage copy = snapshot.copy();
    const double copyMs = t.nsecsElapsed() / 1e6;
    std::printf("  baseline: one full picture copy %.2f ms; undo = %.2f x that\n", copyMs,
                median(undo) / std::max(1e-6, copyMs));
}

// A rectangle dragged out from one corner, as the editor previews it: each mouse move
// clears the previous preview and draws the next one.
void benchPreview(const QImage& snapshot) {
    Surface s;
    s.load(snapshot);
    s.setPersistent(false);
    std::vector<double> steps;
    QElapsedTimer t;
    for (int i = 1; i <= 60; ++i) {
        const QRect r(QPoint(400, 300), QPoint(400 + 30 * i, 300 + 15 * i));
        t.restart();
        s.clear();
        s.paint(
            [&](QPainter& p) {
                p.setPen(QPen(Qt::red, 4));
                p.drawRect(r);
            },
            r.adjusted(-4, -4, 4, 4));
        steps.push_back(t.nsecsElapsed() / 1e6);
    }
    // Baseline in the same process: one plain copy of the whole picture into memory
    // already in use, which is what every preview step cost when it started from a
    // whole copy of the working image.
    QImage target = snapshot.copy();
    std::vector<double> copies;
    for (int i = 0; i < 20; ++i) {
        t.restart();
        std::memcpy(target.bits(), snapshot.constBits(), std::size_t(snapshot.sizeInBytes()));
        copies.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("preview step (clear + a rectangle growing to 1800 x 900): median %.3f ms, "
                "largest %.3f ms\n",
                median(steps), *std::max_element(steps.begin(), steps.end()));
    std::printf("  baseline: one whole-picture copy %.2f ms; step = %.2f x that\n", median(copies),
                median(steps) / std::max(1e-6, median(copies)));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    std::printf("== opening the region editor\n");
    benchOpenings();
    std::printf("== undo history at 3840x2160\n");
    const QImage snapshot = screenshotLike(QSize(3840, 2160));
    benchHistory("compact stroke (a filled block over the photo)", snapshot, blockStroke(snapshot));
    benchHistory("brush stroke (6 px lines)", snapshot, brushStroke(snapshot));
    std::printf("== previews at 3840x2160\n");
    benchPreview(snapshot);
    return 0;
}
