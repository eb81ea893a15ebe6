#pragma once
// A desktop-like picture for encoder tests and benchmarks: window chrome and
// panels in flat colours, lines of rendered text, and a photo area of smooth
// gradients with sensor-like noise. Always the same pixels for the same size.
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace kv::testing {

// The 1920 x 1080 desktop.
inline QImage desktopScreenshot1080() {
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

// The desktop at any size: the 1920 x 1080 picture tiled, every other tile
// mirrored, so that no tile repeats its neighbour byte for byte.
inline QImage desktopScreenshot(int width = 1920, int height = 1080) {
    const QImage tile = desktopScreenshot1080();
    if (width == tile.width() && height == tile.height()) return tile;
    QImage img(width, height, QImage::Format_RGB32);
    QPainter p(&img);
    for (int y = 0, row = 0; y < height; y += tile.height(), ++row)
        for (int x = 0, col = 0; x < width; x += tile.width(), ++col)
            p.drawImage(x, y, tile.mirrored(col % 2, row % 2));
    return img;
}

} // namespace kv::testing
