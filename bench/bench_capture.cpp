// Full-screen capture: the program's capture path against Qt's grab of the root
// window and a bare MIT-SHM read, all measured in this one run; also the path
// for servers without Render into shared memory.
#include "bench/measure.h"
#include "capture/screencapture.h"
#include "platform/picture.h"
#include "platform/screenreaderfactory.h"
#include "platform/x11screenreader.h"
#include "platform/x11windows.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The benchmark's own runs leave caches and segments behind for the next one, so
// each contender gets three untimed runs first.
std::vector<double> interleavedMedians(int rounds, const std::vector<std::function<void()>>& runs) {
    return kv::bench::interleavedMedians(rounds, runs, 3);
}

struct Figures {
    double ours, qt, getImage, bare; // medians, interleaved
    double oursAlone, bareAlone;     // medians, each alone
    bool raw;                        // a bare MIT-SHM read was possible
};

void printFigures(QSize size, int rounds, const Figures& f) {
    const double ours = f.ours, qt = f.qt, getImage = f.getImage, bare = f.bare;
    const double oursAlone = f.oursAlone, bareAlone = f.bareAlone;
    const bool raw = f.raw;
    std::printf("full-screen capture, %dx%d, median of %d\n", size.width(), size.height(), rounds);
    std::printf("  capture path (CaptureScreen) %8.2f ms\n", ours);
    std::printf("  QScreen::grabWindow(0)       %8.2f ms\n", qt);
    std::printf("  without Render (GetImage)    %8.2f ms\n", getImage);
    if (raw) {
        std::printf("  bare MIT-SHM read            %8.2f ms\n", bare);
        std::printf("  capture path / bare read     %8.2fx (target <= 1.5x)\n", ours / bare);
    } else {
        std::printf("  bare MIT-SHM read            unavailable\n");
    }
    std::printf("  grabWindow / capture path    %8.2fx\n", qt / ours);
    if (raw) std::printf("  without Render / bare read   %8.2fx\n", getImage / bare);
    if (raw)
        std::printf("each alone, in a row: capture path %.2f ms, bare read %.2f ms, ratio %.2fx\n",
                    oursAlone, bareAlone, oursAlone / bareAlone);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QScreen* screen = QGuiApplication::primaryScreen();
    auto reader = kv::createScreenReader();
    auto windows = kv::createX11DesktopWindows();
    if (!screen || !reader || !windows) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    const QSize size = reader->screenSize();
    kv::ScreenCapture capture(*reader, *windows);
    auto raw = kv::createRawSharedMemoryRead(size);
    // The path taken where the server cannot Render into shared memory.
    auto getImageReader = kv::createX11ScreenReader(kv::X11ReadPath::SharedMemory);
    if (!getImageReader) return 1;
    kv::ScreenCapture getImageCapture(*getImageReader, *windows);

    const int rounds = 100;
    volatile qint64 sink = 0;
    std::vector<std::function<void()>> runs{[&] {
                                                kv::Picture picture(capture.captureScreen().image);
                                                sink = sink + picture.size().width();
                                            },
                                            [&] {
                                                QPixmap pixmap = screen->grabWindow(0);
                                                sink = sink + pixmap.width();
                                            }};
    runs.push_back([&] {
        kv::Picture picture(getImageCapture.captureScreen().image);
        sink = sink + picture.size().width();
    });
    if (raw) runs.push_back([&] { raw->read(QRect(QPoint(0, 0), size)); });
    const std::vector<double> m = interleavedMedians(rounds, runs);
    const double ours = m[0], qt = m[1], getImage = m[2], bare = raw ? m[3] : 0.0;
    // Each alone, many times in a row: warm caches, as for captures in quick
    // succession.
    const double oursAlone = interleavedMedians(rounds, {runs[0]})[0];
    const double bareAlone = raw ? interleavedMedians(rounds, {runs[3]})[0] : 0.0;

    printFigures(size, rounds, {ours, qt, getImage, bare, oursAlone, bareAlone, raw != nullptr});
    return 0;
}
