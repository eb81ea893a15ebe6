// Saving a 1920 x 1080 screenshot in each format: encode time, file size and, for
// GIF, PSNR against the source, beside ImageMagick's convert of the same picture
// measured in the same run. Prints figures and ratios only.
#include "imageio/savepicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace kv;

namespace {

// A desktop-like picture: window chrome and panels in flat colours, lines of
// rendered text, and a photo area of smooth gradients with sensor-like noise.
QImage screenshot() {
    QImage img(1920, 1080, QImage::Format_RGB32);
    img.fill(qRgb(0x2d, 0x3e, 0x50));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Task bar and a window with title bar, side panel and buttons.
    p.fillRect(0, 1040, 1920, 40, QColor(0x1e, 0x1e, 0x1e));
    p.fillRect(60, 40, 1100, 960, QColor(250, 250, 250));
    p.fillRect(60, 40, 1100, 32, QColor(0, 122, 236));
    p.fillRect(60, 72, 220, 928, QColor(236, 240, 244));
    for (int i = 0; i < 6; ++i) {
        p.setPen(QColor(180, 186, 194));
        p.setBrush(QColor(246, 247, 249));
        p.drawRoundedRect(QRectF(300 + i * 140, 950, 120, 32), 4, 4);
    }

    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(72, 62, QStringLiteral("Kolvane 截图 - 文档.txt"));
    p.setPen(QColor(40, 40, 40));
    const QString words[] = {
        QStringLiteral("The quick brown fox jumps over the lazy dog 0123456789"),
        QStringLiteral("屏幕截图保存为 PNG、JPEG、BMP、GIF 或 TIFF 文件。"),
        QStringLiteral("void SavePicFile(const Picture& picture, const QString& name);"),
        QStringLiteral("颜色 RGB(30,144,255) #1E90FF &H00FF901E& 0x00FF901E")};
    for (int line = 0; line < 48; ++line)
        p.drawText(300, 100 + line * 18, words[line % 4]);
    p.setPen(QColor(60, 60, 60));
    for (int line = 0; line < 40; ++line)
        p.drawText(76, 100 + line * 22, QStringLiteral("项目 %1  item").arg(line + 1));

    // Photo area: sky-like gradient, soft blobs, then noise.
    QLinearGradient sky(0, 80, 0, 1000);
    sky.setColorAt(0, QColor(90, 150, 220));
    sky.setColorAt(0.6, QColor(240, 200, 160));
    sky.setColorAt(1, QColor(60, 90, 40));
    p.fillRect(1200, 80, 680, 920, sky);
    for (int i = 0; i < 12; ++i) {
        QRadialGradient blob(1250 + i * 53 % 600, 200 + i * 97 % 700, 60 + i * 9);
        blob.setColorAt(0, QColor(40 + i * 17 % 200, 120 + i * 31 % 120, 30 + i * 47 % 200, 200));
        blob.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(1200, 80, 680, 920, blob);
    }
    p.end();
    quint32 seed = 2024;
    for (int y = 80; y < 1000; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 1200; x < 1880; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int n = int(seed >> 28) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255),
                           qBound(0, qBlue(c) + n / 2, 255));
        }
    }
    return img;
}

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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString convertProgram() {
    // The real binary, so that no wrapper's start-up is counted.
    if (QFileInfo(QStringLiteral("/usr/bin/convert")).isExecutable()) return "/usr/bin/convert";
    return QStandardPaths::findExecutable(QStringLiteral("convert"));
}

// Wall time of one convert run in milliseconds; negative when it failed.
double runConvert(const QString& program, const QStringList& args) {
    QElapsedTimer t;
    t.start();
    QProcess proc;
    proc.start(program, args);
    if (!proc.waitForFinished(120000) || proc.exitCode() != 0) return -1;
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int runs = 5;
    QTemporaryDir dir;
    const QImage source = screenshot();
    const QString ppm = dir.filePath("source.ppm");
    source.save(ppm, "PPM");
    const QString im = convertProgram();

    std::printf("picture 1920x1080, %d runs each, median wall time; ImageMagick: %s\n", runs,
                im.isEmpty() ? "not found" : qPrintable(im));
    // ImageMagick's start-up and reading of the source, taken off its times below.
    std::vector<double> base;
    for (int i = 0; !im.isEmpty() && i < runs; ++i)
        base.push_back(runConvert(im, {ppm, "null:"}));
    const double imBase = im.isEmpty() ? 0 : median(base);
    std::printf("ImageMagick start-up + read: %.1f ms\n\n", imBase);
    std::printf("%-5s %12s %12s %14s %12s %12s %10s %10s\n", "fmt", "ours ms", "IM ms(net)",
                "ours/IM", "ours bytes", "IM bytes", "ours PSNR", "IM PSNR");

    struct Row {
        const char* key;
        QStringList imOptions;
    };
    const Row rows[] = {{"png", {}},
                        {"jpg", {"-quality", "80"}},
                        {"bmp", {"-type", "TrueColor"}},
                        {"gif", {}},
                        {"tiff", {"-compress", "none", "-depth", "8"}}};
    for (const Row& row : rows) {
        const QString ours = dir.filePath(QStringLiteral("ours.%1").arg(row.key));
        const QString theirs = dir.filePath(QStringLiteral("im.%1").arg(row.key));
        std::vector<double> ourTimes, imTimes;
        for (int i = 0; i < runs; ++i) {
            QElapsedTimer t;
            t.start();
            const auto error = savePicture(Picture(source), ours, row.key, {80, 24, 6});
            ourTimes.push_back(t.nsecsElapsed() / 1e6);
            if (error) {
                std::printf("%s: save failed: %s\n", row.key, qPrintable(error->description));
                return 1;
            }
            if (!im.isEmpty())
                imTimes.push_back(
                    runConvert(im, QStringList{ppm} + row.imOptions + QStringList{theirs}));
        }
        const double ourMs = median(ourTimes);
        const double imMs = im.isEmpty() ? 0 : median(imTimes) - imBase;
        const bool lossy = QByteArray(row.key) == "gif" || QByteArray(row.key) == "jpg";
        std::printf("%-5s %12.1f %12.1f %14.2f %12lld %12lld", row.key, ourMs, imMs,
                    imMs > 0 ? ourMs / imMs : 0.0, QFileInfo(ours).size(),
                    QFileInfo(theirs).size());
        if (lossy)
            std::printf(" %10.2f %10.2f", psnr(QImage(ours), source), psnr(QImage(theirs), source));
        std::printf("\n");
    }
    std::printf("\ntargets: GIF PSNR ours >= IM; PNG time ours/IM <= 2.0\n");
    return 0;
}
