#pragma once

#include <QByteArray>
#include <QImage>

namespace kv {

struct IsalLibrary;

// The zlib stream of a picture's PNG rows (RGBA when `alpha`, otherwise RGB;
// each band of rows filtered "Sub" or "None", whichever compresses a sample of
// its rows better), compressed in bands on the free cores with ISA-L; empty when
// it cannot be made. Safe to call on any thread, the thread pool's too.
QByteArray compressPngRows(const IsalLibrary& isal, const QImage& image, bool alpha);

} // namespace kv
