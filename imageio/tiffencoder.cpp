// TIFF through libtiff, written into memory: 8 bits per sample, RGB (24 bits per
// pixel) or RGB with unassociated alpha (32), one strip per ~8 KB.
#include "imageio/encoders.h"
#include "imageio/tifflibrary.h"

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace kv {

namespace {

struct MemoryFile {
    QByteArray* bytes;
    qint64 pos = 0;
    QString firstError;
};

tmsize_t readMem(thandle_t h, void* data, tmsize_t size) {
    auto* f = static_cast<MemoryFile*>(h);
    const qint64 n = std::clamp<qint64>(f->bytes->size() - f->pos, 0, qint64(size));
    std::memcpy(data, f->bytes->constData() + f->pos, size_t(n));
    f->pos += n;
    return n;
}

tmsize_t writeMem(thandle_t h, void* data, tmsize_t size) {
    auto* f = static_cast<MemoryFile*>(h);
    if (f->pos + size > f->bytes->size()) f->bytes->resize(f->pos + size);
    std::memcpy(f->bytes->data() + f->pos, data, size_t(size));
    f->pos += size;
    return size;
}

toff_t seekMem(thandle_t h, toff_t offset, int whence) {
    auto* f = static_cast<MemoryFile*>(h);
    qint64 base = 0;
    if (whence == SEEK_CUR) base = f->pos;
    if (whence == SEEK_END) base = f->bytes->size();
    const qint64 target = base + qint64(offset);
    if (target < 0) return toff_t(-1);
    // libtiff may seek past the end before writing there; the gap reads as zeros.
    if (target > f->bytes->size()) f->bytes->resize(target, '\0');
    f->pos = target;
    return toff_t(target);
}

int closeMem(thandle_t) {
    return 0;
}
toff_t sizeMem(thandle_t h) {
    return toff_t(static_cast<MemoryFile*>(h)->bytes->size());
}
int mapMem(thandle_t, void**, toff_t*) {
    return 0;
}
void unmapMem(thandle_t, void*, toff_t) {}

int keepError(TIFF*, void* user, const char* module, const char* fmt, va_list ap) {
    auto* f = static_cast<MemoryFile*>(user);
    if (f->firstError.isEmpty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, fmt, ap);
        f->firstError = QString::fromLocal8Bit(module ? module : "") + QStringLiteral(": ") +
                        QString::fromLocal8Bit(text);
    }
    return 1; // handled: nothing goes to stderr
}

int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) {
    return 1;
}

} // namespace

EncoderOutput encodeTiff(const QImage& image, bool withAlpha, bool lzw) {
    if (!lzw) return encodePlainTiff(image, withAlpha);
    const QImage rows =
        image.convertToFormat(withAlpha ? QImage::Format_RGBA8888 : QImage::Format_RGB888);
    EncoderOutput out;
    const TiffLibrary* tiff = OpenTiffLibrary();
    if (!tiff) return {{}, QStringLiteral("TIFF 写入器无法启动：找不到 libtiff。")};
    MemoryFile file{&out.bytes, 0, {}};

    TIFFOpenOptions* options = tiff->OpenOptionsAlloc();
    tiff->OpenOptionsSetErrorHandlerExtR(options, keepError, &file);
    tiff->OpenOptionsSetWarningHandlerExtR(options, ignoreWarning, nullptr);
    TIFF* tif = tiff->ClientOpenExt("picture.tiff", "w", &file, readMem, writeMem, seekMem,
                                    closeMem, sizeMem, mapMem, unmapMem, options);
    tiff->OpenOptionsFree(options);
    if (!tif) return {{}, QStringLiteral("TIFF 写入器无法启动。") + file.firstError};

    const uint16_t samples = withAlpha ? 4 : 3;
    tiff->SetField(tif, TIFFTAG_IMAGEWIDTH, uint32_t(rows.width()));
    tiff->SetField(tif, TIFFTAG_IMAGELENGTH, uint32_t(rows.height()));
    tiff->SetField(tif, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
    tiff->SetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    if (withAlpha) {
        const uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
        tiff->SetField(tif, TIFFTAG_EXTRASAMPLES, uint16_t(1), extra);
    }
    tiff->SetField(tif, TIFFTAG_PHOTOMETRIC, uint16_t(PHOTOMETRIC_RGB));
    tiff->SetField(tif, TIFFTAG_PLANARCONFIG, uint16_t(PLANARCONFIG_CONTIG));
    tiff->SetField(tif, TIFFTAG_ORIENTATION, uint16_t(ORIENTATION_TOPLEFT));
    tiff->SetField(tif, TIFFTAG_COMPRESSION, uint16_t(lzw ? COMPRESSION_LZW : COMPRESSION_NONE));
    tiff->SetField(tif, TIFFTAG_ROWSPERSTRIP, tiff->DefaultStripSize(tif, 0));
    tiff->SetField(tif, TIFFTAG_RESOLUTIONUNIT, uint16_t(RESUNIT_INCH));
    tiff->SetField(tif, TIFFTAG_XRESOLUTION, 96.0f);
    tiff->SetField(tif, TIFFTAG_YRESOLUTION, 96.0f);

    bool ok = true;
    for (int y = 0; ok && y < rows.height(); ++y)
        ok = tiff->WriteScanline(tif, const_cast<uchar*>(rows.constScanLine(y)), uint32_t(y), 0) ==
             1;
    ok = ok && tiff->Flush(tif) == 1;
    tiff->Close(tif);
    if (!ok) {
        out.bytes.clear();
        out.failure =
            file.firstError.isEmpty() ? QStringLiteral("TIFF 写入失败。") : file.firstError;
    }
    return out;
}

} // namespace kv
