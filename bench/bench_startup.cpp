// Start to mapped main window, and start to its first frame drawn: the built
// program against the smallest Qt window of the same size (this benchmark started
// again as that window), both timed in this one run from the process start to the
// window manager mapping the window, and to the line each prints once its first
// frame is out. Prints figures and the ratios.
#include "app/afterfirstframe.h"
#include "bench/measure.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QWidget>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Single starts swing by several milliseconds on a busy machine; with 21
// alternating pairs the ratio still moved by 0.1 from run to run, with this many
// by about half that.
constexpr int rounds = 41;

// The first new top-level window mapped after `start` ran: milliseconds and
// its size, and when the program said its first frame was out; negative when
// none came within ten seconds.
struct Mapped {
    double ms = -1;
    double frameMs = -1;
    QSize size;
};

const QByteArray kFrameLine = "main window first frame";

// Milliseconds at which the program's output first holds the first-frame line.
void readFrameLine(QProcess& proc, QByteArray& said, const QElapsedTimer& t, Mapped& m) {
    if (m.frameMs >= 0 || !proc.waitForReadyRead(0)) return;
    said += proc.readAll();
    if (said.contains(kFrameLine)) m.frameMs = t.nsecsElapsed() / 1e6;
}

Mapped timeToMap(xcb_connection_t* c, QProcess& proc, const QString& program,
                 const QStringList& args) {
    // Events that arrived before the start belong to nothing here.
    while (xcb_generic_event_t* e = xcb_poll_for_event(c))
        std::free(e);
    QElapsedTimer t;
    t.start();
    proc.setProcessChannelMode(QProcess::MergedChannels);
    proc.start(program, args);
    Mapped m;
    QByteArray said;
    while (t.elapsed() < 10000 && (m.ms < 0 || m.frameMs < 0)) {
        readFrameLine(proc, said, t, m);
        if (m.ms >= 0) {
            QThread::usleep(200);
            continue;
        }
        xcb_generic_event_t* e = xcb_poll_for_event(c);
        if (!e) {
            QThread::usleep(200);
            continue;
        }
        const bool mapped = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
        xcb_window_t window = mapped ? reinterpret_cast<xcb_map_notify_event_t*>(e)->window : 0;
        std::free(e);
        if (!mapped) continue;
        const double ms = t.nsecsElapsed() / 1e6;
        QSize size;
        if (auto* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)) {
            size = QSize(g->width, g->height);
            std::free(g);
        }
        // Tiny helper windows (input method, drag-and-drop proxies) are not it.
        if (size.width() < 64 || size.height() < 64) continue;
        m.ms = ms;
        m.size = size;
    }
    proc.kill();
    proc.waitForFinished(5000);
    return m;
}

// Of the starts that got there (a start that showed nothing counts for nothing).
double median(std::vector<double> v) {
    v.erase(std::remove_if(v.begin(), v.end(), [](double x) { return x < 0; }), v.end());
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

struct Starts {
    std::vector<double> mapped, frame;
    void add(const Mapped& m) {
        mapped.push_back(m.ms);
        frame.push_back(m.frameMs);
    }
};

// Kolvane's starts and the minimal window's, alternating, so that a change in the
// machine's load falls on both.
std::pair<Starts, Starts> alternateStarts(xcb_connection_t* c, QProcess& proc,
                                          const QString& kolvane, const QStringList& minimal) {
    std::pair<Starts, Starts> both;
    for (int i = 0; i < rounds; ++i) {
        both.first.add(timeToMap(c, proc, kolvane, {}));
        both.second.add(timeToMap(c, proc, QCoreApplication::applicationFilePath(), minimal));
    }
    return both;
}

// The machine's processor time so far, and how much of it the hypervisor gave to
// other guests ("steal" in /proc/stat; zero on bare metal).
struct CpuTimes {
    unsigned long long steal = 0, total = 0;
};

CpuTimes readCpuTimes() {
    QFile stat(QStringLiteral("/proc/stat"));
    if (!stat.open(QIODevice::ReadOnly)) return {};
    // cpu user nice system idle iowait irq softirq steal (guest time is in user)
    const QList<QByteArray> fields = stat.readLine().simplified().split(' ');
    CpuTimes t;
    for (qsizetype i = 1; i <= 8 && i < fields.size(); ++i)
        t.total += fields[i].toULongLong();
    if (fields.size() > 8) t.steal = fields[8].toULongLong();
    return t;
}

int minimalWindow(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    w.show();
    new kv::AfterFirstFrame(&w, [] { qInfo("%s", kFrameLine.constData()); });
    return app.exec();
}

// Prints both figures with their ratios, how busy the host was, and the rows of
// bench.sh's summary.
void report(QSize window, const Starts& ours, const Starts& qts, CpuTimes before, CpuTimes after) {
    const double o = median(ours.mapped), q = median(qts.mapped);
    const double of = median(ours.frame), qf = median(qts.frame);
    std::printf("start to mapped window, median of %d alternating starts (window %dx%d)\n"
                "  Kolvane %.1f ms, smallest Qt window of that size %.1f ms: ratio %.2f   "
                "[target <= 1.3]\n"
                "start to first frame drawn\n"
                "  Kolvane %.1f ms, smallest Qt window of that size %.1f ms: ratio %.2f\n",
                rounds, window.width(), window.height(), o, q, q > 0 ? o / q : 0.0, of, qf,
                qf > 0 ? of / qf : 0.0);
    // On a virtual machine the host's other guests move every start's time; this
    // share says how busy the host was while these starts ran.
    if (after.total > before.total)
        std::printf("  processor time taken by the hypervisor during the starts: %.1f %%\n",
                    100.0 * double(after.steal - before.steal) /
                        double(after.total - before.total));
    kv::bench::summaryRow("start to mapped main window", o, "smallest Qt window, same size", q,
                          "x <= 1.3");
    if (of > 0)
        kv::bench::summaryRow("start to main window's first frame", of,
                              "smallest Qt window, same size", qf, "(for scale)");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--minimal-window") return minimalWindow(argc, argv);
    QCoreApplication app(argc, argv);
    // The program built beside the benchmarks.
    const QString kolvane = qEnvironmentVariable(
        "KOLVANE_BIN", QCoreApplication::applicationDirPath() + QStringLiteral("/../kolvane"));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    QProcess proc;
    // Kolvane prints its first-frame line when asked for timings.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KOLVANE_TIMING"), QStringLiteral("1"));
    proc.setProcessEnvironment(env);
    const Mapped first = timeToMap(c, proc, kolvane, {});
    if (first.ms < 0) {
        std::fprintf(stderr, "%s showed no window\n", qPrintable(kolvane));
        return 1;
    }
    const QStringList minimal{"--minimal-window", QString::number(first.size.width()),
                              QString::number(first.size.height())};
    const CpuTimes before = readCpuTimes();
    const auto [ours, qts] = alternateStarts(c, proc, kolvane, minimal);
    const CpuTimes after = readCpuTimes();
    report(first.size, ours, qts, before, after);
    xcb_disconnect(c);
    return 0;
}
