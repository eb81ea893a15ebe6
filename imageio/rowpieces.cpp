#include "imageio/rowpieces.h"

#include <algorithm>
#include <future>
#include <vector>

namespace kv {

bool WriteRowsInPieces(int rows, qsizetype rowBytes, const PackRows& pack, const ByteSink& sink) {
    if (rows <= 0 || rowBytes <= 0) return rows <= 0;
    const int perPiece = int(std::clamp<qsizetype>((1 << 20) / rowBytes, 1, rows));
    const int pieces = (rows + perPiece - 1) / perPiece;
    // Two buffers: one being written, the other being packed.
    std::vector<uchar> buffers[2];
    for (std::vector<uchar>& b : buffers)
        b.assign(size_t(rowBytes * perPiece), 0);
    const auto rowsOf = [&](int piece) { return std::min(perPiece, rows - piece * perPiece); };
    const auto packPiece = [&](int piece) {
        return pack(piece * perPiece, rowsOf(piece), buffers[piece % 2].data());
    };
    if (pieces == 1)
        return packPiece(0) &&
               sink(reinterpret_cast<const char*>(buffers[0].data()), rowBytes * rows);
    std::future<bool> next = std::async(std::launch::async, packPiece, 0);
    for (int piece = 0; piece < pieces; ++piece) {
        const bool packed = next.get();
        if (packed && piece + 1 < pieces)
            next = std::async(std::launch::async, packPiece, piece + 1);
        const bool sent = packed && sink(reinterpret_cast<const char*>(buffers[piece % 2].data()),
                                         rowBytes * rowsOf(piece));
        if (!sent) {
            if (next.valid()) next.wait(); // it packs into a buffer that goes out of scope
            return false;
        }
    }
    return true;
}

} // namespace kv
