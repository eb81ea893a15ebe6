// What choosing windows by key costs: reading the window tree when the editor freezes
// the screen (beside reading the screen itself, which the freeze does anyway, in the
// same run), and answering one Tab from the tree (against one frame at 60 Hz).
#include "bench/measure.h"
#include "platform/screenreaderfactory.h"
#include "platform/windowtree.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// A busy desktop: 30 windows with three child windows each, shown by a second process
// (the tree leaves this program's own windows out).
int showWindows(QApplication& app) {
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < 30; ++i) {
        auto w = std::make_unique<QWidget>();
        w->setGeometry(40 + 20 * i, 40 + 15 * i, 500, 400);
        for (int c = 0; c < 3; ++c) {
            auto* child = new QWidget(w.get());
            child->setGeometry(10 + 100 * c, 10, 90, 300);
            child->winId();
        }
        w->show();
        windows.push_back(std::move(w));
    }
    QTimer::singleShot(500, [] {
        std::printf("ready\n");
        std::fflush(stdout);
    });
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (app.arguments().contains("--windows")) return showWindows(app);
    QProcess others;
    others.start(app.applicationFilePath(), {"--windows"});
    while (others.waitForReadyRead(10000) && !others.readAllStandardOutput().contains("ready")) {
    }
    QTest::qWait(300);

    auto desktop = kv::createX11DesktopWindows();
    auto screen = kv::createScreenReader();
    if (!desktop || !screen) {
        std::printf("no X display\n");
        return 1;
    }
    const QRect root = screen->monitors().desktop();
    kv::WindowTree tree;
    const auto medians = kv::bench::interleavedMedians(
        21, {[&] { tree = desktop->windowTree(root); }, [&] { (void)screen->grab(root); }});
    std::printf("window tree read  %7.2f ms   screen read %7.2f ms   x%5.2f\n", medians[0],
                medians[1], kv::bench::ratio(medians[0], medians[1]));

    // One Tab: the chain under a point of the tree just read, and the step along it.
    QElapsedTimer t;
    t.start();
    constexpr int kTabs = 10000;
    size_t found = 0;
    for (int i = 0; i < kTabs; ++i) {
        const std::vector<QRect> chain = tree.chainAt(QPoint((i * 37) % 1100, (i * 23) % 900));
        found += kv::stepThroughWindows(chain, QRect(), true).has_value();
    }
    const double tabMs = double(t.nsecsElapsed()) / 1e6 / kTabs;
    std::printf(
        "one Tab from the tree %7.4f ms (%zu of %d points over a window)   a frame 16.7 ms\n",
        tabMs, found, kTabs);
    others.kill();
    others.waitForFinished();
    kv::bench::summaryRow("window tree read at the freeze", medians[0], "screen read at the freeze",
                          medians[1], "Tab <= one frame");
    return 0;
}
