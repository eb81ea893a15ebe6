// PNG written by hand: the rows filtered and compressed into one zlib stream
// on the free cores (pngstream.cpp), and the chunks framed here. Measured on
// screenshots, one filter for a whole band of rows, "Sub" or "None" by trial,
// gives smaller files than the usual per-row choice by least absolute sum (text
// and flat panels leave long runs of repeated bytes either way).
#include "imageio/encoders.h"
#include "imageio/isallibrary.h"
#include "imageio/pngstream.h"

namespace kv {

namespace {

// Large IDAT chunks are split, as most writers do, so no reader meets a chunk
// longer than it likes to buffer.
constexpr qsizetype idatChunkBytes = 1 << 20;

void put32(QByteArray& out, quint32 v) {
    const char b[4] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    out.append(b, 4);
}

void putChunk(const IsalLibrary& isal, QByteArray& out, const char type[4], const char* data,
              qsizetype length) {
    put32(out, quint32(length));
    const qsizetype start = out.size();
    out.append(type, 4);
    if (length > 0) out.append(data, length);
    const auto* crcFrom = reinterpret_cast<const uchar*>(out.constData() + start);
    put32(out, quint32(isal.crc32_gzip_refl(0, crcFrom, uint64_t(length) + 4)));
}

QByteArray header(const QImage& image, bool alpha) {
    QByteArray h;
    put32(h, quint32(image.width()));
    put32(h, quint32(image.height()));
    // 8 bits per sample; colour type 6 (RGBA) or 2 (RGB); deflate; adaptive
    // filtering; no interlace.
    h.append(char(8)).append(char(alpha ? 6 : 2)).append(3, char(0));
    return h;
}

// The picture's resolution, as Qt's own writer records it.
QByteArray physicalSize(const QImage& image) {
    QByteArray p;
    put32(p, quint32(std::max(0, image.dotsPerMeterX())));
    put32(p, quint32(std::max(0, image.dotsPerMeterY())));
    p.append(char(1)); // unit: metre
    return p;
}

} // namespace

EncoderOutput encodePng(const QImage& image) {
    if (image.isNull()) return {{}, QStringLiteral("图片是空的。")};
    // Pictures without an alpha channel are written as RGB, whatever the unused
    // byte of their pixels holds; pictures with one keep it, unpremultiplied.
    const IsalLibrary* isal = OpenIsalLibrary();
    if (!isal) return {{}, QStringLiteral("PNG 写入器无法启动：找不到 ISA-L(libisal)。")};
    const bool alpha = image.hasAlphaChannel();
    const QByteArray z = compressPngRows(*isal, image, alpha);
    if (z.isEmpty()) return {{}, QStringLiteral("内存不足或压缩失败,无法写出 PNG。")};

    EncoderOutput out;
    out.bytes.reserve(z.size() + 128 + z.size() / idatChunkBytes * 12);
    out.bytes.append("\x89PNG\r\n\x1a\n", 8);
    const QByteArray ihdr = header(image, alpha);
    putChunk(*isal, out.bytes, "IHDR", ihdr.constData(), ihdr.size());
    const QByteArray phys = physicalSize(image);
    putChunk(*isal, out.bytes, "pHYs", phys.constData(), phys.size());
    for (qsizetype at = 0; at < z.size(); at += idatChunkBytes)
        putChunk(*isal, out.bytes, "IDAT", z.constData() + at,
                 std::min(idatChunkBytes, z.size() - at));
    putChunk(*isal, out.bytes, "IEND", nullptr, 0);
    return out;
}

} // namespace kv
