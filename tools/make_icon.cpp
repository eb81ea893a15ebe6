// Writes app.ico (16 x 16 and 32 x 32, 32-bit with alpha) from Kolvane's own icon
// drawing code, so the icon file always matches the artwork in the program.
#include "app/artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QtEndian>

namespace {

void put16(QByteArray& out, quint16 v) {
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&v), 2);
}
void put32(QByteArray& out, quint32 v) {
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&v), 4);
}

// One icon image as a bottom-up 32-bit DIB followed by its 1-bit AND mask.
QByteArray dibEntry(const QImage& source) {
    const QImage img = source.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    QByteArray out;
    put32(out, 40);
    put32(out, w);
    put32(out, h * 2);
    put16(out, 1);
    put16(out, 32);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < w; ++x)
            put32(out, line[x]);
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (qAlpha(img.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    const int sizes[] = {16, 32};
    QList<QByteArray> entries;
    for (int s : sizes)
        entries << dibEntry(kv::artwork::ProgramIcon(s));

    QByteArray file;
    put16(file, 0);
    put16(file, 1);
    put16(file, quint16(entries.size()));
    quint32 offset = 6 + 16 * entries.size();
    for (int i = 0; i < entries.size(); ++i) {
        file.append(char(sizes[i]));
        file.append(char(sizes[i]));
        file.append(char(0));
        file.append(char(0));
        put16(file, 1);
        put16(file, 32);
        put32(file, quint32(entries[i].size()));
        put32(file, offset);
        offset += entries[i].size();
    }
    for (const QByteArray& e : entries)
        file.append(e);

    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) return 1;
    return 0;
}
