#pragma once

// In a GNOME or KDE session: from the click on "区域截图" to the editor's first
// frame (the program's own figure), against one bare screenshot round trip through
// the desktop portal in the same run, and on KDE through KWin's own interface too.
// What the program adds on top of the screenshot it uses is its own cost (aim: at
// most 50 ms at 1920 x 1080).
#include "platform/gnomeshell.h"
#include "platform/kwinscreenshot.h"
#include "platform/portalscreenshot.h"
#include "support/waylanddesktop.h"

#include <QApplication>
#include <QRegularExpression>
#include <algorithm>
#include <functional>

namespace wldbench {

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// `kRuns` round trips of `take`, in ms; empty when one failed.
inline std::vector<double> roundTrips(int runs, const std::function<bool()>& take) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        if (!take()) return {};
        ms.push_back(clock.nsecsElapsed() / 1e6);
        QTest::qWait(200);
    }
    return ms;
}

// One opening of the editor: the program's figure for click to first frame.
inline double openEditorOnce(QProcess& kolvane, QPoint command, QByteArray& output) {
    output.clear();
    kolvane.readAllStandardError();
    if (!wld::click(command)) return -1;
    const QRegularExpression figure("region editor first frame ([0-9.]+) ms");
    QRegularExpressionMatch m;
    e2e::waitFor(
        [&] {
            kolvane.waitForReadyRead(20);
            output += kolvane.readAllStandardError();
            m = figure.match(QString::fromUtf8(output));
            return m.hasMatch();
        },
        20000);
    // A right click without a selection leaves the editor.
    wld::pointer({"move", "300", "600", "sleep", "100", "click", "right"});
    wld::park();
    QTest::qWait(800);
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

inline void printFigures(const char* what, const std::vector<double>& opened,
                         const std::vector<double>& bare, const std::vector<double>& kwinBare,
                         bool kwin, int kRuns) {
    const double b = median(bare), k = median(kwinBare), o = median(opened);
    std::printf("click to editor's first frame     %8.1f ms (median of %d; %s)\n", o, kRuns, what);
    const double base = kwin && !kwinBare.empty() ? std::min(b, k) : b;
    std::printf("program's own cost                %8.1f ms (target <= 50 ms), ratio %.2f\n",
                o - base, base > 0 ? o / base : 0.0);
    std::printf("SUMMARY | %-36s | %8.1f ms | %-34s | %8.1f ms | %6.2f | own cost <= 50 ms\n", what,
                o,
                kwin && !kwinBare.empty() && k < b ? "bare ScreenShot2 round trip"
                                                   : "bare portal round trip",
                base, base > 0 ? o / base : 0.0);
}

// The program beside the benchmarks' folder, build/bench/<desktop>/.
inline void useProgramBesideBench() {
    if (qEnvironmentVariableIsEmpty("KOLVANE_BIN"))
        qputenv(
            "KOLVANE_BIN",
            QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../../kolvane").toUtf8());
}

// Starts the program with its timing report on; where its main window shows, or
// an invalid rectangle when it did not show.
inline QRect startProgram(QProcess& kolvane) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KOLVANE_TIMING", "1");
    kolvane.setProcessEnvironment(env);
    wld::park();
    const QImage empty = wld::screen();
    kolvane.start(e2e::binary(), {});
    QRect main;
    e2e::waitFor([&] { return (main = wld::changedArea(empty, wld::screen(), 32)).width() == 561; },
                 30000);
    if (main.width() != 561) {
        qWarning("the program's window did not show (%s)", qPrintable(e2e::binary()));
        return {};
    }
    QTest::qWait(700);
    // KWin activates a window with the first click it gets, which goes no further.
    wld::click(main.topLeft() + QPoint(300, 40));
    QTest::qWait(500);
    return main;
}

// `runs` openings: the program's figures, empty when one failed.
inline std::vector<double> openings(QProcess& kolvane, QRect main, int runs) {
    std::vector<double> opened;
    QByteArray output;
    for (int i = 0; i < runs; ++i) {
        const double ms = openEditorOnce(kolvane, main.topLeft() + wld::kRegionCommand, output);
        if (ms < 0) {
            qWarning("the editor did not open; the program said: %s", output.constData());
            return {};
        }
        opened.push_back(ms);
    }
    return opened;
}

inline int runEditorBench(int argc, char** argv, bool kwin) {
    qputenv("QT_QPA_PLATFORM", "wayland");
    QApplication app(argc, argv);
    useProgramBesideBench();
    constexpr int kRuns = 7;
    QProcess kolvane;
    const QRect main = startProgram(kolvane);
    if (!main.isValid()) return 1;
    const std::vector<double> opened = openings(kolvane, main, kRuns);
    if (opened.empty()) return 1;
    kolvane.terminate();
    kolvane.waitForFinished(3000);

    kv::PortalScreenshot portal(QDBusConnection::sessionBus(), 15000, 15000);
    const std::vector<double> bare =
        roundTrips(kRuns, [&] { return !portal.take().image.isNull(); });
    kv::KWinScreenshot own(QDBusConnection::sessionBus(), 15000);
    const std::vector<double> kwinBare =
        kwin ? roundTrips(kRuns, [&] { return !own.take().image.isNull(); })
             : std::vector<double>();

    std::printf("portal screenshot round trip      %8.1f ms (median of %d)\n", median(bare), kRuns);
    if (kwin)
        std::printf("KWin ScreenShot2 round trip       %8.1f ms (median of %d%s)\n",
                    median(kwinBare), kRuns,
                    kwinBare.empty() ? ", not answered: no desktop entry allows this program" : "");
    printFigures(kwin ? "KDE click to editor" : "GNOME click to editor", opened, bare, kwinBare,
                 kwin, kRuns);
    // Where the shell animates windows the program waits for its main window's fade.
    if (!kwin)
        std::printf("GNOME Shell animates windows      %8s (if yes, a 170 ms wait is part of it)\n",
                    kv::gnomeShellAnimates(QDBusConnection::sessionBus()) ? "yes" : "no");
    return 0;
}

} // namespace wldbench
