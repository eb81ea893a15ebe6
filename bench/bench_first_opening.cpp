// The first region capture after start against the later ones: each round starts this
// program afresh (every cache cold), opens the editor five times and reports the click
// to the first editor frame. Rounds alternate between a start that prepares the
// editor's resources when idle after the main window's first frame, as the program
// does, and one that does not (the baseline); both run in this same measurement.
#include "app/capturepage.h"
#include "app/frmmain.h"
#include "bench/measure.h"
#include "bench/openingtimeline.h"
#include "platform/clock.h"
#include "platform/heap.h"
#include "platform/lazyscreenreader.h"
#include "platform/screenreaderfactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace kv;

namespace {

constexpr int kOpenings = 5;
constexpr int kRounds = 5;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// One start: prints the openings' times in ms, space separated, and on a second line
// the steps of the first opening ("step=ms;..."); exit status 1 when the editor did
// not open.
int oneStart(bool prepare) {
    keepLargeBlocksForReuse(); // as the program does
    SystemClock clock;
    // As the program: the screen is opened at its first use.
    LazyScreenReader screen{[] { return createScreenReader(); }};
    FrmMainServices services;
    services.clock = &clock;
    services.screen = &screen;
    services.programDir = QCoreApplication::applicationDirPath();
    bench::OpeningTimeline opening;
    services.probe = &opening;
    FrmMain main(services);
    main.Form_Load();
    main.show();
    if (!QTest::qWaitForWindowExposed(&main)) return 1;
    if (prepare) main.capturePage().prepareRegionCapture();
    QTest::qWait(500); // idle, as a user reaches for the command
    QByteArray firstSteps;
    for (int i = 0; i < kOpenings; ++i) {
        QTest::mouseClick(main.LblColor[Command::RegionCapture], Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return opening.at(QStringLiteral("on screen")) >= 0; }, 5000))
            return 1;
        std::printf("%.2f ", opening.at(QStringLiteral("on screen")));
        for (const auto& [step, ms] : opening.steps)
            if (i == 0) firstSteps += step.toUtf8() + '=' + QByteArray::number(ms, 'f', 1) + ';';
        main.capturePage().Snap->Form_KeyPress(27); // Esc: back to the main window
        QTest::qWait(250);
    }
    std::printf("\n%s\n", firstSteps.constData());
    return 0;
}

// The openings of one fresh start (empty when it failed), and the steps of its first.
std::vector<double> runStart(const QString& self, bool prepare, QByteArray* firstSteps) {
    QProcess child;
    child.start(self, {prepare ? QStringLiteral("--prepared") : QStringLiteral("--cold")});
    if (!child.waitForFinished(60000) || child.exitCode() != 0) return {};
    const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
    std::vector<double> times;
    for (const QByteArray& word : lines.value(0).simplified().split(' '))
        if (!word.isEmpty()) times.push_back(word.toDouble());
    *firstSteps = lines.value(1);
    return times;
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    QApplication app(argc, argv);
    if (mode == "--cold" || mode == "--prepared") return oneStart(mode == "--prepared");

    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> firstCold, laterCold, firstPrepared, laterPrepared;
    for (int round = 0; round < kRounds; ++round)
        for (bool prepare : {false, true}) {
            QByteArray steps;
            const std::vector<double> t = runStart(self, prepare, &steps);
            if (t.size() != std::size_t(kOpenings)) {
                std::printf("round %d: the editor did not open\n", round);
                return 1;
            }
            (prepare ? firstPrepared : firstCold).push_back(t[0]);
            auto& later = prepare ? laterPrepared : laterCold;
            later.insert(later.end(), t.begin() + 1, t.end());
            std::printf("  round %d %-9s first %.1f ms, then %.1f ms (median)\n", round,
                        prepare ? "prepared:" : "cold:", t[0],
                        median(std::vector<double>(t.begin() + 1, t.end())));
            std::printf("    first opening's steps: %s\n", steps.constData());
        }
    const double fc = median(firstCold), lc = median(laterCold);
    const double fp = median(firstPrepared), lp = median(laterPrepared);
    std::printf("click to first editor frame, medians of %d fresh starts each:\n", kRounds);
    std::printf("  nothing prepared: first %.1f ms, later %.1f ms; first = %.2f x later\n", fc, lc,
                lc > 0 ? fc / lc : 0.0);
    std::printf("  prepared at idle: first %.1f ms, later %.1f ms; first = %.2f x later\n", fp, lp,
                lp > 0 ? fp / lp : 0.0);
    std::printf("first opening prepared = %.2f x unprepared (target: as fast as the later ones)\n",
                fc > 0 ? fp / fc : 0.0);
    kv::bench::summaryRow("first region editor opening", fp, "later openings", lp,
                          "first as fast as later ones");
    return 0;
}
