// GIF: a true-colour picture is reduced to at most 256 colours (exactly kept
// when it has no more) and written by giflib.
#include "imageio/encoders.h"
#include "imageio/giflibrary.h"
#include "imageio/palettereduction.h"

#include <memory>
#include <vector>

namespace kv {

namespace {

int appendToBuffer(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

struct Indexed {
    std::vector<GifColorType> palette;
    std::vector<GifByteType> pixels; // width * height palette indices, rows without padding
};

Indexed quantise(const QImage& rgb) {
    IndexedPicture reduced = reduceToPalette(rgb);
    Indexed out;
    for (QRgb c : reduced.palette)
        out.palette.push_back(
            {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    out.pixels = std::move(reduced.pixels);
    return out;
}

QString gifFailure(const GifLibrary& lib, int code) {
    const char* text = lib.GifErrorString(code);
    return QStringLiteral("GIF 写入失败(%1)。").arg(QString::fromLatin1(text ? text : "?"));
}

} // namespace

EncoderOutput encodeGif(const QImage& image) {
    if (image.width() > 65535 || image.height() > 65535)
        return {{}, QStringLiteral("GIF 的宽和高最多 65535 像素。")};
    // GIF keeps no partial transparency; the picture is written opaque.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Indexed indexed = quantise(rgb);

    // The colour table's size is a power of two, at least 2.
    int tableSize = 2;
    while (tableSize < int(indexed.palette.size()))
        tableSize *= 2;
    indexed.palette.resize(tableSize, GifColorType{0, 0, 0});

    const GifLibrary* lib = OpenGifLibrary();
    if (!lib) return {{}, QStringLiteral("GIF 写入器无法启动：找不到 giflib。")};
    EncoderOutput out;
    int error = 0;
    GifFileType* gif = lib->EGifOpen(&out.bytes, appendToBuffer, &error);
    if (!gif) return {{}, gifFailure(*lib, error)};
    ColorMapObject* map = lib->GifMakeMapObject(tableSize, indexed.palette.data());
    const int w = rgb.width(), h = rgb.height();
    bool ok = map && lib->EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK &&
              lib->EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < h; ++y)
        ok = lib->EGifPutLine(gif, indexed.pixels.data() + size_t(y) * w, w) == GIF_OK;
    if (!ok) error = gif->Error;
    int closeError = 0;
    if (lib->EGifCloseFile(gif, &closeError) != GIF_OK && ok) {
        ok = false;
        error = closeError;
    }
    lib->GifFreeMapObject(map);
    if (!ok) return {{}, gifFailure(*lib, error)};
    return out;
}

} // namespace kv
