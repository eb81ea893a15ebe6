// A keyboard shortcut's "kolvane --region" while Kolvane runs: from starting the new
// process to the first frame of the frozen editor in the running one. This process
// plays the running instance (lock, channel and main window as the program has them)
// and starts the built program as the shortcut does. Baseline, in the same process:
// a click on "区域截图" to the first frame.
#include "app/capturepage.h"
#include "app/frmmain.h"
#include "app/startcommand.h"
#include "bench/openingtimeline.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/instancechannel.h"
#include "platform/screenreaderfactory.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kv;

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Waits until the editor reports its first frame on screen; its time in ms after
// `start`, or -1.
double firstFrameAfter(const bench::OpeningTimeline& opening, const QElapsedTimer& start) {
    const QString onScreen = QStringLiteral("on screen");
    const bool shown = QTest::qWaitFor([&] { return opening.at(onScreen) >= 0; }, 5000);
    if (!shown) return -1;
    // Both clocks are monotonic: their difference is when the editor's opening began.
    const double openedAt = (start.nsecsElapsed() - opening.clock.nsecsElapsed()) / 1e6;
    return openedAt + opening.at(onScreen);
}

// Esc; the steps of this opening are forgotten, so the next one is timed afresh.
void leaveEditor(FrmMain& main, bench::OpeningTimeline& opening) {
    if (main.capturePage().Snap) main.capturePage().Snap->Form_KeyPress(27);
    QTest::qWait(250);
    opening.steps.clear();
}

// The times of each run, in ms.
struct Samples {
    std::vector<double> handed, exited, clicked;
};

// One run: the shortcut's command, then the click for the baseline; false when the
// command did not open the editor.
bool measureRun(int run, FrmMain& main, bench::OpeningTimeline& opening, const QString& program,
                Samples& samples) {
    QElapsedTimer t;
    t.start();
    QProcess shortcut;
    double gone = -1;
    QObject::connect(&shortcut, &QProcess::finished, [&] { gone = t.nsecsElapsed() / 1e6; });
    shortcut.start(program, {QStringLiteral("--region")});
    const double frame = firstFrameAfter(opening, t);
    shortcut.waitForFinished(5000);
    if (frame < 0 || shortcut.exitCode() != 0) {
        std::printf("run %d: the command did not open the editor\n", run);
        return false;
    }
    samples.handed.push_back(frame);
    samples.exited.push_back(gone);
    leaveEditor(main, opening);

    QElapsedTimer c;
    c.start();
    QTest::mouseClick(main.LblColor[kv::Command::RegionCapture], Qt::LeftButton);
    samples.clicked.push_back(firstFrameAfter(opening, c));
    leaveEditor(main, opening);
    std::printf("  run %d: command %.1f ms, click %.1f ms\n", run, samples.handed.back(),
                samples.clicked.back());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    keepLargeBlocksForReuse();
    SingleInstance instance(QStringLiteral("kolvane"));
    if (instance.anotherIsRunning()) {
        std::printf("another Kolvane runs on this desktop; nothing measured\n");
        return 1;
    }
    QApplication app(argc, argv);
    SystemClock clock;
    auto screen = createScreenReader();
    FrmMainServices services;
    services.clock = &clock;
    services.screen = screen.get();
    services.programDir = QCoreApplication::applicationDirPath();
    bench::OpeningTimeline opening;
    services.probe = &opening;
    FrmMain main(services);
    main.Form_Load();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) return 1;
    InstanceChannel channel(QStringLiteral("kolvane"), [&main](const QString& word) {
        RunStartCommand(main, commandFromWord(word));
    });
    if (!channel.listen()) return 1;
    QTest::qWait(300);

    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/../kolvane");
    Samples samples;
    for (int run = 0; run < 7; ++run)
        if (!measureRun(run, main, opening, program, samples)) return 1;
    const std::vector<double>&handed = samples.handed, &exited = samples.exited,
          &clicked = samples.clicked;
    const double h = median(handed), c = median(clicked);
    const QSize size = screen->screenSize();
    std::printf("screen %dx%d\n", size.width(), size.height());
    std::printf(
        "kolvane --region to first editor frame: median %.1f ms (min %.1f, target <= 100)\n", h,
        *std::min_element(handed.begin(), handed.end()));
    std::printf("  the new process had ended after:      median %.1f ms\n", median(exited));
    std::printf(
        "baseline click on 区域截图 to first frame: median %.1f ms; command = %.2f x the click\n",
        c, c > 0 ? h / c : 0.0);
    return 0;
}
