// How long one preview step of the mosaic takes while a 1000 x 1000 rectangle is dragged
// on a 3840 x 2160 picture: the last preview wiped, the mosaic made from the ring around
// the new rectangle and shown on the editor's surface. Against the same step with a
// plain QPainter fill of the same rectangle, in the same run.
#include "measure.h"
#include "snapshot/mosaic.h"
#include "snapshot/surface.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

QImage desktopLike(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            line[x] = qRgb((x * 7) & 255, (y * 3) & 255, ((x ^ y) * 5) & 255);
    }
    return img;
}

// The rectangle of the n-th pointer move: the far corner wanders by a pixel or two, as
// it does while the rectangle is dragged out.
QRect dragged(int n) {
    return QRect(1200, 500, 999 + (n % 3), 1000 - (n % 2));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QSize size(3840, 2160);
    kv::Surface mosaicSurface, fillSurface;
    mosaicSurface.load(desktopLike(size));
    fillSurface.load(desktopLike(size));
    mosaicSurface.setPersistent(false);
    fillSurface.setPersistent(false);
    int moveM = 0, moveF = 0;
    const auto mosaicStep = [&] {
        const QRect area = dragged(moveM++);
        mosaicSurface.clear();
        const QImage under = mosaicSurface.committed();
        mosaicSurface.paint(
            [&](QPainter& p) { kv::drawMosaic(p, under, area, kv::kDefaultMosaicBlockSize); },
            area);
    };
    const auto fillStep = [&] {
        const QRect area = dragged(moveF++);
        fillSurface.clear();
        fillSurface.paint([&](QPainter& p) { p.fillRect(area, QColor(128, 128, 128)); }, area);
    };
    const auto tileOnly = [&] {
        (void)kv::mosaicTile(mosaicSurface.committed(), dragged(moveM++),
                             kv::kDefaultMosaicBlockSize);
    };
    const auto ms = kv::bench::interleavedMedians(61, {mosaicStep, fillStep, tileOnly}, 3);
    std::printf("mosaic preview, 1000 x 1000 on 3840 x 2160 (block %d px), medians of 61\n",
                kv::kDefaultMosaicBlockSize);
    std::printf("  %-44s %7.2f ms\n", "baseline: plain fill of the rectangle", ms[1]);
    std::printf("  %-44s %7.2f ms  x%.2f\n", "mosaic preview step", ms[0],
                kv::bench::ratio(ms[0], ms[1]));
    std::printf("  %-44s %7.2f ms\n", "  of which the mosaic itself", ms[2]);
    kv::bench::summaryRow("mosaic preview 1000x1000 @4K", ms[0], "plain fill, same step", ms[1],
                          "<= 4 ms");
    return 0;
}
