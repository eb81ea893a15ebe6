// Uncompressed TIFF laid out here directly: the header, one directory and the
// strips, written in one pass over the pixels. libtiff's scan-line interface
// costs several times the copying itself for a picture of this kind.
#include "imageio/encoders.h"
#include "imageio/packrows.h"
#include "imageio/rowpieces.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace kv {

namespace {

enum : quint16 { Short = 3, Long = 4, Rational = 5 };

class LittleEndian {
public:
    explicit LittleEndian(uchar* at) : at_(at) {}
    void u16(quint16 v) {
        at_[0] = uchar(v);
        at_[1] = uchar(v >> 8);
        at_ += 2;
    }
    void u32(quint32 v) {
        u16(quint16(v));
        u16(quint16(v >> 16));
    }
    // One directory entry; a value that fits in four bytes sits in the entry.
    void entry(quint16 tag, quint16 type, quint32 count, quint32 value) {
        u16(tag);
        u16(type);
        u32(count);
        if (type == Short && count == 1) {
            u16(quint16(value));
            u16(0);
        } else {
            u32(value);
        }
    }

private:
    uchar* at_;
};

struct Layout {
    int samples = 3;
    qsizetype rowBytes = 0;
    int rowsPerStrip = 1;
    int strips = 1;
    int entries = 0;
    quint32 directory = 8, extras = 0, pixels = 0;
    qsizetype fileBytes = 0;
};

// About 8 KB a strip, as libtiff chooses by default.
Layout layoutFor(const QImage& image, bool alpha) {
    Layout l;
    l.samples = alpha ? 4 : 3;
    l.entries = alpha ? 15 : 14;
    l.rowBytes = qsizetype(image.width()) * l.samples;
    l.rowsPerStrip =
        int(std::clamp<qsizetype>(8192 / std::max<qsizetype>(l.rowBytes, 1), 1, image.height()));
    l.strips = (image.height() + l.rowsPerStrip - 1) / l.rowsPerStrip;
    l.extras = l.directory + 2 + 12 * quint32(l.entries) + 4;
    // Bits per sample, two resolutions, the strip offsets and byte counts.
    const quint32 extraBytes = 8 + 16 + 8 * quint32(l.strips);
    l.pixels = l.extras + extraBytes;
    l.fileBytes = l.pixels + l.rowBytes * image.height();
    return l;
}

void putDirectory(uchar* base, const QImage& image, const Layout& l) {
    const quint32 bits = l.extras, xres = bits + 8, yres = xres + 8, offsets = yres + 8;
    const quint32 counts = offsets + 4 * quint32(l.strips);
    const bool oneStrip = l.strips == 1;
    LittleEndian d(base);
    d.u16(0x4949); // "II"
    d.u16(42);
    d.u32(l.directory);
    d.u16(quint16(l.entries));
    d.entry(256, Long, 1, quint32(image.width()));
    d.entry(257, Long, 1, quint32(image.height()));
    d.entry(258, Short, quint32(l.samples), bits);
    d.entry(259, Short, 1, 1); // no compression
    d.entry(262, Short, 1, 2); // RGB
    d.entry(273, Long, quint32(l.strips), oneStrip ? l.pixels : offsets);
    d.entry(274, Short, 1, 1); // top left
    d.entry(277, Short, 1, quint32(l.samples));
    d.entry(278, Long, 1, quint32(l.rowsPerStrip));
    d.entry(279, Long, quint32(l.strips), oneStrip ? quint32(l.rowBytes * image.height()) : counts);
    d.entry(282, Rational, 1, xres);
    d.entry(283, Rational, 1, yres);
    d.entry(284, Short, 1, 1);                     // samples interleaved
    d.entry(296, Short, 1, 2);                     // per inch
    if (l.samples == 4) d.entry(338, Short, 1, 2); // unassociated alpha
    d.u32(0);                                      // no further directory
}

void putExtras(uchar* base, const QImage& image, const Layout& l) {
    LittleEndian d(base + l.extras);
    for (int i = 0; i < 4; ++i)
        d.u16(8);
    for (int i = 0; i < 2; ++i) {
        d.u32(96);
        d.u32(1);
    }
    for (int s = 0; s < l.strips; ++s)
        d.u32(l.pixels + quint32(l.rowBytes * l.rowsPerStrip * s));
    for (int s = 0; s < l.strips; ++s) {
        const int rows = std::min(l.rowsPerStrip, image.height() - s * l.rowsPerStrip);
        d.u32(quint32(l.rowBytes * rows));
    }
}

// Rows first .. first + n - 1 as TIFF samples; opaque pixels are packed here,
// other formats go through Qt's converter.
bool packPiece(const QImage& image, int first, int n, bool alpha, qsizetype rowBytes, uchar* to) {
    if (!alpha && image.format() == QImage::Format_RGB32) {
        for (int r = 0; r < n; ++r)
            packRgb(reinterpret_cast<const QRgb*>(image.constScanLine(first + r)),
                    to + rowBytes * r, image.width());
        return true;
    }
    const QImage view(image.constScanLine(first), image.width(), n, image.bytesPerLine(),
                      image.format());
    const QImage part =
        view.convertToFormat(alpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    if (part.isNull()) return false;
    for (int r = 0; r < n; ++r)
        std::memcpy(to + rowBytes * r, part.constScanLine(r), size_t(rowBytes));
    return true;
}

} // namespace

bool writePlainTiff(const QImage& source, bool withAlpha, const ByteSink& sink) {
    // Formats with a colour table or fewer than 8 bits have no rows to view.
    const QImage image =
        source.depth() >= 16 ? source : source.convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return false;
    const Layout l = layoutFor(image, withAlpha);
    if (l.fileBytes > qsizetype(0xffffffffu)) return false;
    std::vector<uchar> head(l.pixels);
    putDirectory(head.data(), image, l);
    putExtras(head.data(), image, l);
    if (!sink(reinterpret_cast<const char*>(head.data()), qsizetype(head.size()))) return false;
    // Qt's rows are padded to four bytes, TIFF's are not.
    return WriteRowsInPieces(
        image.height(), l.rowBytes,
        [&](int first, int n, uchar* to) {
            return packPiece(image, first, n, withAlpha, l.rowBytes, to);
        },
        sink);
}

EncoderOutput encodePlainTiff(const QImage& image, bool withAlpha) {
    EncoderOutput out;
    const bool ok = writePlainTiff(image, withAlpha, [&](const char* data, qsizetype n) {
        out.bytes.append(data, n);
        return true;
    });
    if (!ok) return {{}, QStringLiteral("图片太大(TIFF 文件最大 4 GB)或内存不足。")};
    return out;
}

} // namespace kv
