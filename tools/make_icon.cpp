// Writes Kolvane's icon files from its own icon drawing code, so that they always
// match the artwork in the program:
//   kv_make_icon <app.ico>                  the run-time icon (16, 32, 48, 64 px)
//   kv_make_icon <app.ico> <hicolor folder> also <size>x<size>/apps/<id>.png for the
//                                           theme sizes and scalable/apps/<id>.svg
#include "app/artwork.h"
#include "app/programicon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile out(path);
    return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
}

bool writeThemeIcons(const QString& hicolor) {
    const QString id = QStringLiteral(KOLVANE_APP_ID);
    for (int s : {16, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral("%1/%2x%2/apps/%3.png").arg(hicolor).arg(s).arg(id);
        QDir().mkpath(QFileInfo(path).path());
        if (!kv::artwork::ProgramIcon(s).save(path, "png")) return false;
    }
    return writeFile(QStringLiteral("%1/scalable/apps/%2.svg").arg(hicolor, id),
                     kv::artwork::programIconSvg());
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) return 2;
    if (argc > 2 && !writeThemeIcons(QString::fromLocal8Bit(argv[2]))) return 1;
    const int sizes[] = {16, 32, 48, 64};
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

    return writeFile(QString::fromLocal8Bit(argv[1]), file) ? 0 : 1;
}
