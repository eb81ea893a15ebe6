// Saving a generated screenshot in each format, each figure beside its baseline
// measured in the same run: Qt's PNG writer, a plain write of the same number of
// bytes to the same folder, and ImageMagick's convert of the same picture. Prints
// figures and ratios only.
#include "bench/measure.h"
#include "imageio/savepicture.h"
#include "tests/support/screenshot.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

using namespace kv;
using kv::bench::interleavedMedians;
using kv::bench::ratio;

namespace {

constexpr int rounds = 7;
// A BMP or TIFF save and its plain write take 5-7 ms each, about as long as the
// machine's own jitter in writing; more rounds make their ratio steady.
constexpr int writeRounds = 31;
constexpr int convertRuns = 3;

double psnr(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    double sum = 0;
    for (int r = 0; r < x.height(); ++r) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
        for (int c = 0; c < x.width(); ++c)
            for (int d :
                 {qRed(p[c]) - qRed(q[c]), qGreen(p[c]) - qGreen(q[c]), qBlue(p[c]) - qBlue(q[c])})
                sum += d * d;
    }
    const double mse = sum / (3.0 * x.width() * x.height());
    return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

// ImageMagick's convert, its start-up and reading of the source taken off.
class Convert {
public:
    explicit Convert(const QString& ppm) : ppm_(ppm) {
        // The real binary, so that no wrapper's start-up is counted.
        program_ = QFileInfo(QStringLiteral("/usr/bin/convert")).isExecutable()
                       ? QStringLiteral("/usr/bin/convert")
                       : QStandardPaths::findExecutable(QStringLiteral("convert"));
        if (!program_.isEmpty()) base_ = medianOf({QStringLiteral("null:")});
    }
    bool found() const { return !program_.isEmpty(); }
    QString program() const { return found() ? program_ : QStringLiteral("not found"); }
    // Net milliseconds to write `target` with the options; 0 when not found.
    double write(const QStringList& options, const QString& target) const {
        return found() ? std::max(0.0, medianOf(options + QStringList{target}) - base_) : 0.0;
    }

private:
    double medianOf(const QStringList& args) const {
        std::vector<double> times;
        for (int i = 0; i < convertRuns; ++i) {
            QElapsedTimer t;
            t.start();
            QProcess proc;
            proc.start(program_, QStringList{ppm_} + args);
            proc.waitForFinished(120000);
            times.push_back(t.nsecsElapsed() / 1e6);
        }
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }
    QString ppm_, program_;
    double base_ = 0;
};

void save(const QImage& source, const QString& path, const char* key) {
    if (const auto error = savePicture(Picture(source), path, key, {80, 24, 6})) {
        std::printf("%s: save failed: %s\n", key, qPrintable(error->description));
        std::exit(1);
    }
}

// The same number of bytes as `like`, ready in memory, written to the same
// folder in one write() with the same steps as a save (a new file beside the
// target, renamed over it).
std::function<void()> plainWrite(const QString& like) {
    const QByteArray bytes(QFileInfo(like).size(), '\x5a');
    const QString path = like + QStringLiteral(".raw");
    return [bytes, path] {
        if (writeWholeFile(path, bytes)) std::exit(1);
    };
}

void png(const QTemporaryDir& dir, const QImage& source, const Convert& im) {
    const QString ours = dir.filePath("ours.png"), qts = dir.filePath("qt.png");
    const auto t = interleavedMedians(
        rounds, {[&] { save(source, ours, "png"); }, [&] { source.save(qts, "PNG"); }});
    double imMs = 0;
    if (source.width() == 1920) imMs = im.write({}, dir.filePath("im.png"));
    const double size = ratio(QFileInfo(ours).size(), QFileInfo(qts).size());
    std::printf("PNG %dx%d: ours %.1f ms, Qt's writer %.1f ms (ours/Qt %.2f), ImageMagick %.1f "
                "ms\n    bytes ours %lld, Qt %lld: ours/Qt %.3f   [target 1920x1080: <= 60 ms, "
                "size <= 1.1]\n",
                source.width(), source.height(), t[0], t[1], ratio(t[0], t[1]), imMs,
                QFileInfo(ours).size(), QFileInfo(qts).size(), size);
    const QString figure = QStringLiteral("PNG save %1x%2 (size x%3)")
                               .arg(source.width())
                               .arg(source.height())
                               .arg(size, 0, 'f', 3);
    kv::bench::summaryRow(qPrintable(figure), t[0], "Qt's PNG writer", t[1], "<= 60 ms at 1080p");
    if (imMs > 0)
        kv::bench::summaryRow("PNG save 1920x1080", t[0], "ImageMagick", imMs, "for scale");
}

void atWriteSpeed(const QTemporaryDir& dir, const QImage& source, const Convert& im,
                  const char* key, const QStringList& imOptions) {
    const QString ours = dir.filePath(QStringLiteral("ours.%1").arg(key));
    save(source, ours, key);
    const auto t =
        interleavedMedians(writeRounds, {[&] { save(source, ours, key); }, plainWrite(ours)});
    const double imMs = im.write(imOptions, dir.filePath(QStringLiteral("im.%1").arg(key)));
    std::printf("%s: ours %.1f ms, plain write of the same %lld bytes %.1f ms: ours/write %.2f   "
                "[target <= 1.3]; ImageMagick %.1f ms\n",
                key, t[0], QFileInfo(ours).size(), t[1], ratio(t[0], t[1]), imMs);
    const QString figure = QStringLiteral("%1 save").arg(QString::fromLatin1(key).toUpper());
    kv::bench::summaryRow(qPrintable(figure), t[0], "write of as many bytes", t[1], "x <= 1.3");
    kv::bench::summaryRow(qPrintable(figure), t[0], "ImageMagick", imMs, "for scale");
}

void lossy(const QTemporaryDir& dir, const QImage& source, const Convert& im, const char* key,
           const QStringList& imOptions, const char* target) {
    const QString ours = dir.filePath(QStringLiteral("ours.%1").arg(key));
    const QString theirs = dir.filePath(QStringLiteral("im.%1").arg(key));
    const auto t = interleavedMedians(rounds / 2 + 1, {[&] { save(source, ours, key); }});
    const double imMs = im.write(imOptions, theirs);
    std::printf("%s: ours %.1f ms, PSNR %.2f dB, %lld bytes; ImageMagick %.1f ms, PSNR %.2f dB, "
                "%lld bytes   [%s]\n",
                key, t[0], psnr(QImage(ours), source), QFileInfo(ours).size(), imMs,
                psnr(QImage(theirs), source), QFileInfo(theirs).size(), target);
    const QString figure = QStringLiteral("%1 save (PSNR %2 dB)")
                               .arg(QString::fromLatin1(key).toUpper())
                               .arg(psnr(QImage(ours), source), 0, 'f', 2);
    kv::bench::summaryRow(qPrintable(figure), t[0], "ImageMagick", imMs, target);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QImage source = testing::desktopScreenshot();
    const QString ppm = dir.filePath("source.ppm");
    source.save(ppm, "PPM");
    const Convert im(ppm);
    std::printf("generated screenshot, median of %d interleaved runs (BMP and TIFF: %d); "
                "ImageMagick (%s) start-up and read taken off its times\n\n",
                rounds, writeRounds, qPrintable(im.program()));

    png(dir, source, im);
    png(dir, testing::desktopScreenshot(3840, 2160), im);
    atWriteSpeed(dir, source, im, "bmp", {"-type", "TrueColor"});
    atWriteSpeed(dir, source, im, "tiff", {"-compress", "none", "-depth", "8"});
    lossy(dir, source, im, "gif", {}, "target <= 200 ms, PSNR >= 44 dB");
    lossy(dir, source, im, "jpg", {"-quality", "80"}, "for scale");
    return 0;
}
