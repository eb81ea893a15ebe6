#include "imageio/packrows.h"

#include <QtGlobal>

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KV_PACK_SSSE3 1
#endif

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

quint32 bgrOf(QRgb p) {
    return quint32(p) & 0xffffffu;
}

quint32 rgbOf(QRgb p) {
    return quint32(qRed(p)) | quint32(qGreen(p)) << 8 | quint32(qBlue(p)) << 16;
}

#ifdef KV_PACK_SSSE3
// Sixteen pixels a step: each group of four is shuffled into its 12 bytes and
// the four groups are joined into three full 16-byte stores, so nothing is
// written past the row. The scalar loop does the last few pixels. Packing is
// then a small part of the time the write itself takes.
__attribute__((target("ssse3"))) int packWide(const QRgb* from, uchar* to, int pixels, bool rgb) {
    const __m128i order =
        rgb ? _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1)
            : _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int i = 0;
    for (; i + 16 <= pixels; i += 16, to += 48) {
        const auto* in = reinterpret_cast<const __m128i*>(from + i);
        const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(in), order);
        const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), order);
        const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), order);
        const __m128i d = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), order);
        auto* out = reinterpret_cast<__m128i*>(to);
        _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
        _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
        _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
    }
    return i;
}

bool hasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#endif

template <typename Bytes>
void packRow(const QRgb* from, uchar* to, int pixels, bool rgb, Bytes bytes) {
    int done = 0;
#ifdef KV_PACK_SSSE3
    if (hasSsse3()) done = packWide(from, to, pixels, rgb);
#else
    Q_UNUSED(rgb);
#endif
    pack(from + done, to + 3 * qsizetype(done), pixels - done, bytes);
}

} // namespace

// QRgb is 0xAARRGGBB, so on a little-endian machine its bytes in memory are
// already blue, green, red.
void packBgr(const QRgb* from, uchar* to, int pixels) {
    packRow(from, to, pixels, false, bgrOf);
}

void packRgb(const QRgb* from, uchar* to, int pixels) {
    packRow(from, to, pixels, true, rgbOf);
}

} // namespace kv
