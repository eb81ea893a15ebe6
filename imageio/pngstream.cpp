// The zlib stream of a PNG's rows, made on several cores with ISA-L's deflate
// (igzip), which on a screenshot compresses about three times as fast as
// libdeflate's fastest level and five times as fast as zlib's, for a file about
// as small as Qt's writer makes. A zlib stream is one deflate stream, but
// deflate lets a stream be cut into byte-aligned pieces: a piece that ends with
// a sync flush (an empty stored block, not final) may be followed by any other
// piece, so bands of rows are filtered and compressed independently and laid
// end to end; only the last band ends the stream. Each band starts with an
// empty window, which costs well under one percent on a screenshot.
#include "imageio/pngstream.h"

#include "imageio/isallibrary.h"
#include "imageio/pngrows.h"

#include <QThread>

#include <zlib.h>

#include <atomic>
#include <memory>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

namespace kv {

namespace {

// igzip's level 2: on a 1920 x 1080 screenshot it writes a file as small as
// Qt's (zlib level 6) in a twentieth of the time; level 1 is hardly faster
// and its files 2 % larger, level 3 half as slow again for 1 % less. Each band
// gets the better of two filters (see PngFilter): regions cut from a
// screenshot come out up to 15 % larger than Qt's with "Sub" alone, and
// within a few percent of it, mostly well below, with the better of the two.
constexpr int compressionLevel = 2;
constexpr uint32_t levelBufferBytes = ISAL_DEF_LVL2_DEFAULT;
// Bands are taken by whichever thread is free; small enough that the threads
// finish within a millisecond of each other, large enough that their fresh
// windows cost nothing to speak of.
constexpr qsizetype bandBytes = 512 * 1024;
// The filter of a band is chosen on an eighth of its rows, in groups of four.
constexpr int sampleGroupRows = 4;
constexpr int sampleEvery = 8;

struct Band {
    int firstRow = 0;
    int rows = 0;
    QByteArray compressed;
    quint32 adler = 1;
};

// One compressor's state (igzip's holds its window and hash tables: too large
// for a thread's stack) and the buffer of filtered rows it reuses band by band.
struct Compressor {
    isal_zstream stream;
    std::unique_ptr<uint8_t[]> levelBuffer;
    std::unique_ptr<uchar[]> rows;
    qsizetype rowsSize = 0;
};

enum class Piece { Made, TooLarge, Failed };

// A raw deflate piece of `n` bytes: ending on a byte boundary in a block that
// is not final, or, for the last band, ending the deflate stream. With a
// `limit`, a piece that would not be smaller than it is given up.
Piece compressPiece(const IsalLibrary& isal, Compressor& c, const uchar* in, size_t n, bool last,
                    qsizetype limit, QByteArray& out) {
    isal_zstream& s = c.stream;
    isal.isal_deflate_init(&s);
    s.level = compressionLevel;
    s.level_buf = c.levelBuffer.get();
    s.level_buf_size = levelBufferBytes;
    s.flush = last ? NO_FLUSH : SYNC_FLUSH;
    s.end_of_stream = last ? 1 : 0;
    s.next_in = const_cast<uint8_t*>(in);
    s.avail_in = uint32_t(n);
    // Room for stored blocks, should the rows not compress; grown if even that
    // is too little.
    out = QByteArray(limit > 0 ? limit : qsizetype(n + n / 16 + 1024), Qt::Uninitialized);
    for (;;) {
        s.next_out = reinterpret_cast<uint8_t*>(out.data()) + s.total_out;
        s.avail_out = uint32_t(out.size() - qsizetype(s.total_out));
        if (isal.isal_deflate(&s) != COMP_OK) return Piece::Failed;
        const bool finished =
            last ? s.internal_state.state == ZSTATE_END : s.avail_in == 0 && s.avail_out > 0;
        if (finished) break;
        if (limit > 0) return Piece::TooLarge;
        out.resize(out.size() * 2);
    }
    out.truncate(qsizetype(s.total_out));
    return Piece::Made;
}

// Shared by the calling thread and its helpers; bands are taken by number.
struct Job {
    explicit Job(const IsalLibrary& library) : isal(library) {}

    const IsalLibrary& isal;
    QImage image;
    bool alpha = false;
    qsizetype rowBytes = 0; // filter byte included
    std::vector<Band> bands;
    std::atomic<int> nextBand{0};
    std::atomic<bool> failed{false};

    // A sample of the band's rows filtered with `filter` into the compressor's
    // buffer: groups of a few rows spread evenly over the band, so that a
    // panel, a text or a picture anywhere in it has its say. Returns its length,
    // or -1 when the rows could not be converted.
    qsizetype filterSample(Compressor& c, const Band& band, PngFilter filter) const {
        const int groups = std::max(1, band.rows / (sampleGroupRows * sampleEvery));
        uchar* out = c.rows.get();
        for (int g = 0; g < groups; ++g) {
            const int first = band.firstRow + int(qsizetype(band.rows) * g / groups);
            const int rows = std::min(sampleGroupRows, band.firstRow + band.rows - first);
            if (!filterPngRows(image, alpha, filter, first, rows, out)) return -1;
            out += rows * rowBytes;
        }
        return out - c.rows.get();
    }
    // The filter the band is written with: the one whose sample compresses
    // smaller, "Sub" on a tie. On screenshots and cut regions this picks what
    // compressing the whole band both ways picks, nearly always, at a quarter
    // of the extra cost.
    bool chooseFilter(Compressor& c, const Band& band, PngFilter& chosen) {
        QByteArray sub, none;
        qsizetype n = filterSample(c, band, PngFilter::Sub);
        if (n < 0 || compressPiece(isal, c, c.rows.get(), size_t(n), false, 0, sub) != Piece::Made)
            return false;
        n = filterSample(c, band, PngFilter::None);
        if (n < 0) return false;
        const Piece piece =
            compressPiece(isal, c, c.rows.get(), size_t(n), false, sub.size(), none);
        if (piece == Piece::Failed) return false;
        chosen =
            piece == Piece::Made && none.size() < sub.size() ? PngFilter::None : PngFilter::Sub;
        return true;
    }
    bool run(Compressor& c, Band& band, bool last) {
        const qsizetype n = band.rows * rowBytes;
        if (c.rowsSize < n) {
            c.rows.reset(new (std::nothrow) uchar[size_t(n)]);
            c.rowsSize = c.rows ? n : 0;
            if (!c.rows) return false;
        }
        PngFilter filter = PngFilter::Sub;
        if (!chooseFilter(c, band, filter)) return false;
        if (!filterPngRows(image, alpha, filter, band.firstRow, band.rows, c.rows.get()))
            return false;
        if (compressPiece(isal, c, c.rows.get(), size_t(n), last, 0, band.compressed) !=
            Piece::Made)
            return false;
        band.adler = quint32(isal.isal_adler32(1, c.rows.get(), uint64_t(n)));
        return true;
    }
    // Takes bands until none is left or one failed.
    void takeBands() {
        const std::unique_ptr<Compressor> owned(new (std::nothrow) Compressor);
        if (owned) owned->levelBuffer.reset(new (std::nothrow) uint8_t[levelBufferBytes]);
        if (!owned || !owned->levelBuffer) {
            failed = true;
            return;
        }
        Compressor& c = *owned;
        const int count = int(bands.size());
        for (int i = nextBand++; i < count && !failed; i = nextBand++)
            if (!run(c, bands[size_t(i)], i == count - 1)) failed = true;
    }
};

std::vector<Band> planBands(int height, qsizetype rowBytes) {
    const int count = int(std::clamp<qsizetype>(rowBytes * height / bandBytes, 1, height));
    std::vector<Band> bands;
    for (int i = 0; i < count; ++i) {
        const int first = int(qsizetype(height) * i / count);
        const int end = int(qsizetype(height) * (i + 1) / count);
        bands.push_back({first, end - first, {}, 1});
    }
    return bands;
}

QByteArray assemble(const std::vector<Band>& bands, qsizetype rowBytes) {
    qsizetype size = 6;
    for (const Band& b : bands)
        size += b.compressed.size();
    QByteArray z;
    z.reserve(size);
    z.append("\x78\x01", 2); // deflate, 32 KiB window, fastest level
    quint32 adler = 1;
    for (const Band& b : bands) {
        z.append(b.compressed);
        adler = quint32(adler32_combine(adler, b.adler, z_off_t(rowBytes * b.rows)));
    }
    const char trailer[4] = {char(adler >> 24), char(adler >> 16), char(adler >> 8), char(adler)};
    z.append(trailer, 4);
    return z;
}

} // namespace

QByteArray compressPngRows(const IsalLibrary& isal, const QImage& image, bool alpha) {
    Job job(isal);
    job.image = image;
    job.alpha = alpha;
    job.rowBytes = 1 + qsizetype(image.width()) * (alpha ? 4 : 3);
    job.bands = planBands(image.height(), job.rowBytes);
    const int helpers = std::min(int(job.bands.size()) - 1, QThread::idealThreadCount() - 1);
    // Threads of their own rather than the shared pool's: the pool may be busy
    // (the clipboard encodes there), and a helper that starts late leaves the
    // caller to compress alone. A helper that cannot be started leaves its
    // bands to the others.
    std::vector<std::thread> threads;
    for (int i = 0; i < helpers; ++i) {
        try {
            threads.emplace_back([&job] { job.takeBands(); });
        } catch (const std::system_error&) {
            break;
        }
    }
    job.takeBands();
    for (std::thread& t : threads)
        t.join();
    if (job.failed) return {};
    return assemble(job.bands, job.rowBytes);
}

} // namespace kv
