// How long one loupe refresh takes per pointer move: the source pixels read (from
// the live screen for the dropper, from the frozen picture for the editor), drawn
// enlarged, placed and shown. Against a plain copy of the same source area, in the
// same run. The live screen is measured on this display and, in a child process,
// on a private 3840 x 2160 X server.
#include "colour/notations.h"
#include "loupe/loupe.h"
#include "loupe/loupepicture.h"
#include "platform/screenreaderfactory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <chrono>
#include <cstdio>

using Clock = std::chrono::steady_clock;

namespace {

template <typename F> double microsPerCall(int calls, F&& f) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i)
        f(i);
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count() / calls;
}

void report(const char* what, double us, double baseline) {
    std::printf("  %-46s %9.1f us/refresh  %7.1f x baseline\n", what, us, us / baseline);
}

// Pointer positions over the whole of `area`, a new one for every call.
QPoint walk(int i, const QRect& area) {
    return area.topLeft() + QPoint((i * 37) % area.width(), (i * 23) % area.height());
}

QImage pattern(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return img;
}

QStringList captionOf(const kv::LoupeSource& s) {
    const QRgb c = s.centre();
    return {kv::FormatColourNotations(qRed(c), qGreen(c), qBlue(c))[0]};
}

// The editor's loupe: the frozen picture is in memory, whatever the screen's size.
void frozen(QSize size, const QRect& screen, kv::Loupe& loupe) {
    const QImage picture = pattern(size);
    const QRect area(QPoint(0, 0), size);
    std::printf("frozen picture %d x %d\n", size.width(), size.height());
    const double copy =
        microsPerCall(2000, [&](int i) { (void)picture.copy(kv::LoupeSourceArea(walk(i, area))); });
    std::printf("  %-46s %9.2f us\n", "baseline: plain copy of the 15 x 15 area", copy);
    QImage out;
    report("source + picture",
           microsPerCall(
               2000,
               [&](int i) {
                   const kv::LoupeSource s = kv::LoupeSourceFrom(picture, {0, 0}, walk(i, area));
                   kv::RenderLoupe(s, captionOf(s), out);
               }),
           copy);
    report("whole refresh (+ place, move, repaint)",
           microsPerCall(500,
                         [&](int i) {
                             const QPoint hot = walk(i, area);
                             const kv::LoupeSource s = kv::LoupeSourceFrom(picture, {0, 0}, hot);
                             // The window itself stays on the real screen.
                             const QPoint onScreen(hot.x() % screen.width(),
                                                   hot.y() % screen.height());
                             loupe.Show(onScreen, s, captionOf(s), screen);
                         }),
           copy);
}

// The dropper's loupe: the source is read from the screen at every move.
void live(kv::Loupe& loupe) {
    auto reader = kv::createScreenReader();
    const kv::Monitors monitors = reader->monitors();
    const QRect desktop = monitors.desktop();
    std::printf("live screen %d x %d\n", desktop.width(), desktop.height());
    const double copy = microsPerCall(
        500, [&](int i) { (void)reader->grab(kv::LoupeSourceArea(walk(i, desktop))); });
    std::printf("  %-46s %9.2f us\n", "baseline: screen read of the 15 x 15 area", copy);
    report("screen read of the one pixel (no loupe)",
           microsPerCall(500, [&](int i) { (void)reader->pixel(walk(i, desktop)); }), copy);
    report("whole refresh (read, draw, place, repaint)",
           microsPerCall(500,
                         [&](int i) {
                             const QPoint hot = walk(i, desktop);
                             const kv::LoupeSource s = kv::LoupeSourceFrom(*reader, desktop, hot);
                             loupe.Show(hot, s, captionOf(s), monitors.monitorFor(hot));
                         }),
           copy);
}

// Runs this program once more on a private X server of the given size.
void onPrivateServer(const char* self, const QString& size) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const int n = 300 + int(QRandomGenerator::global()->bounded(600));
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) continue;
        QProcess server;
        server.start(QStringLiteral("Xvfb"),
                     {QStringLiteral(":%1").arg(n), "-screen", "0", size + "x24", "-nolisten",
                      "tcp", "+extension", "MIT-SHM"});
        if (!server.waitForStarted(3000)) break;
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(n);
        for (int i = 0; i < 100 && !QFile::exists(socket); ++i)
            QTest::qWait(50);
        if (!QFile::exists(socket)) {
            server.kill();
            server.waitForFinished();
            continue;
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(n));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QString::fromLocal8Bit(self), {QStringLiteral("--live-only")});
        child.waitForFinished(120000);
        server.terminate();
        server.waitForFinished(3000);
        return;
    }
    std::printf("(no private X server for %s)\n", qPrintable(size));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    const bool liveOnly = argc > 1 && QByteArray(argv[1]) == "--live-only";
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    kv::Loupe loupe;
    const QRect screen = kv::createScreenReader()->monitors().primaryRect();
    if (!liveOnly) {
        frozen({1920, 1080}, screen, loupe);
        frozen({3840, 2160}, screen, loupe);
    }
    live(loupe);
    loupe.Hide();
    if (!liveOnly) onPrivateServer(argv[0], QStringLiteral("3840x2160"));
    return 0;
}
