#include "longcapture/rowhashes.h"

#include <cstring>

namespace kv {
namespace {

constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15ull;

quint64 load(const uchar* p) {
    quint64 v;
    std::memcpy(&v, p, 8);
    return v;
}

// Four independent lanes, so that the multiplications of neighbouring words overlap
// instead of waiting for each other: the hash runs at memory speed.
quint64 hashRow(const uchar* row, int bytes) {
    quint64 lane[4] = {1, 2, 3, 4};
    int i = 0;
    for (; i + 32 <= bytes; i += 32)
        for (int k = 0; k < 4; ++k)
            lane[k] = (lane[k] ^ load(row + i + 8 * k)) * kMultiplier;
    for (; i + 8 <= bytes; i += 8)
        lane[0] = (lane[0] ^ load(row + i)) * kMultiplier;
    if (i < bytes) {
        quint64 tail = 0;
        std::memcpy(&tail, row + i, size_t(bytes - i));
        lane[1] = (lane[1] ^ tail) * kMultiplier;
    }
    quint64 h = lane[0] ^ (lane[1] << 1 | lane[1] >> 63) ^ (lane[2] << 2 | lane[2] >> 62) ^
                (lane[3] << 3 | lane[3] >> 61);
    h ^= h >> 29;
    return h * kMultiplier;
}

} // namespace

std::vector<quint64> rowHashes(const QImage& picture, int width) {
    std::vector<quint64> hashes(size_t(picture.height()));
    const int bytes = width * 4;
    for (int y = 0; y < picture.height(); ++y)
        hashes[size_t(y)] = hashRow(picture.constScanLine(y), bytes);
    return hashes;
}

bool rowsEqual(const QImage& first, int a, const QImage& second, int b, int width) {
    return std::memcmp(first.constScanLine(a), second.constScanLine(b), size_t(width) * 4) == 0;
}

} // namespace kv
