#include "imageio/packrows.h"

#include <QtGlobal>

#include <cstring>

namespace kv {

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "pixel packing assumes little-endian words");

namespace {

// Four pixels of three bytes fit three 32-bit words; `bytes` gives a pixel's
// three bytes in file order in its low 24 bits (little-endian memory order).
template <typename Bytes> void pack(const QRgb* from, uchar* to, int pixels, Bytes bytes) {
    int i = 0;
    for (; i + 4 <= pixels; i += 4, to += 12) {
        const quint32 a = bytes(from[i]), b = bytes(from[i + 1]);
        const quint32 c = bytes(from[i + 2]), d = bytes(from[i + 3]);
        const quint32 words[3] = {a | b << 24, b >> 8 | c << 16, c >> 16 | d << 8};
        std::memcpy(to, words, sizeof words);
    }
    for (; i < pixels; ++i, to += 3) {
        const quint32 p = bytes(from[i]);
        to[0] = uchar(p);
        to[1] = uchar(p >> 8);
        to[2] = uchar(p >> 16);
    }
}

} // namespace

// QRgb is 0xAARRGGBB, so on a little-endian machine its bytes in memory are
// already blue, green, red.
void packBgr(const QRgb* from, uchar* to, int pixels) {
    pack(from, to, pixels, [](QRgb p) { return quint32(p) & 0xffffffu; });
}

void packRgb(const QRgb* from, uchar* to, int pixels) {
    pack(from, to, pixels, [](QRgb p) {
        return quint32(qRed(p)) | quint32(qGreen(p)) << 8 | quint32(qBlue(p)) << 16;
    });
}

} // namespace kv
