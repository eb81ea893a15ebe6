// The cost of one long-capture step's stitching at 1920 x 1080: the new picture's row
// hashes, finding the overlap (confirmed on every overlapping pixel) and keeping the
// new rows. Against a plain memcmp of the whole picture with an equal copy (read to
// the end, as an exact comparison must), in the same run. Target: at most 5 ms a step.
#include "bench/measure.h"
#include "longcapture/stitcher.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

QImage noise(int rows, quint32 seed) {
    QImage img(kWidth, rows, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < rows; ++y) {
        auto* line = reinterpret_cast<quint32*>(img.scanLine(y));
        for (int x = 0; x < kWidth; ++x)
            line[x] = rng.generate() | 0xff000000u;
    }
    return img;
}

// The picture a 1920 x 1080 rectangle shows of the page at `offset`, with a header and
// a footer of the given heights that stay put.
QImage frame(const QImage& page, int offset, int header, int footer) {
    QImage f = page.copy(0, offset, kWidth, kHeight);
    for (int y = 0; y < header; ++y)
        std::memcpy(f.scanLine(y), page.constScanLine(y), kWidth * 4);
    for (int y = kHeight - footer; y < kHeight; ++y)
        std::memcpy(f.scanLine(y), page.constScanLine(page.height() - kHeight + y), kWidth * 4);
    return f;
}

struct Medians {
    double step = 0, baseline = 0;
};

// One step from `before` to `after`, against a memcmp of `after` with its copy,
// interleaved.
Medians measure(const QImage& before, const QImage& after, int rounds) {
    const QImage copy = after.copy();
    std::vector<double> step, compare;
    volatile int sink = 0;
    for (int r = 0; r < rounds; ++r) {
        kv::Stitcher stitcher(before); // the first picture's hashes: not part of a step
        QElapsedTimer t;
        t.start();
        stitcher.add(after);
        step.push_back(double(t.nsecsElapsed()) / 1e6);
        t.start();
        sink = sink + std::memcmp(copy.constBits(), after.constBits(), size_t(after.sizeInBytes()));
        compare.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(step.begin(), step.end());
    std::sort(compare.begin(), compare.end());
    return {step[step.size() / 2], compare[compare.size() / 2]};
}

void row(const char* what, const Medians& m) {
    std::printf("  %-44s %7.2f ms   memcmp %6.2f ms   x%5.2f\n", what, m.step, m.baseline,
                kv::bench::ratio(m.step, m.baseline));
}

} // namespace

int main() {
    const QImage page = noise(kHeight + 600, 7);
    const int rounds = 21;
    std::printf("stitching one step, %d x %d, medians of %d\n", kWidth, kHeight, rounds);
    const Medians half = measure(frame(page, 0, 0, 0), frame(page, 540, 0, 0), rounds);
    row("scrolled by half the picture", half);
    row("scrolled by 60 rows", measure(frame(page, 0, 0, 0), frame(page, 60, 0, 0), rounds));
    row("header 80 and footer 50, by 300 rows",
        measure(frame(page, 0, 80, 50), frame(page, 300, 80, 50), rounds));
    row("nothing moved (the end of the page)",
        measure(frame(page, 0, 0, 0), frame(page, 0, 0, 0), rounds));
    kv::bench::summaryRow("long capture: stitch one 1080p step", half.step,
                          "memcmp of two equal pictures", half.baseline, "<= 5 ms");
    return 0;
}
