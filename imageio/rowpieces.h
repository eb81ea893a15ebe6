#pragma once
// The pixel part of an uncompressed file (BMP, plain TIFF) goes out in pieces of
// about 1 MB, each packed while it is in the processor's cache. The next piece
// is packed on a second thread while one is being written, so that a save takes
// about as long as writing its bytes.
#include "imageio/filewriter.h"

#include <QtGlobal>
#include <functional>

namespace kv {

// Packs file rows first .. first + n - 1 into `to`, rowBytes apart; false when
// they cannot be made. Bytes it does not write stay zero.
using PackRows = std::function<bool(int first, int n, uchar* to)>;

// Sends `rows` rows of `rowBytes` each to `sink` in order; false as soon as a
// piece cannot be packed or the sink refuses it (nothing is sent after that).
bool WriteRowsInPieces(int rows, qsizetype rowBytes, const PackRows& pack, const ByteSink& sink);

} // namespace kv
