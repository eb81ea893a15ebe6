#pragma once

#include "imageio/filewriter.h"
#include "imageio/pictureformat.h"
#include "imageio/saveerror.h"

#include <QByteArray>
#include <QImage>
#include <optional>

namespace kv {

// TIFF compression values as the caller passes them (the imaging library's
// numbering): 2 LZW, 6 none.
inline constexpr quint32 TiffCompressionLzw = 2;
inline constexpr quint32 TiffCompressionNone = 6;

struct EncodeSettings {
    quint32 jpegQuality = 80;     // 0..100
    quint32 tiffColourDepth = 24; // 24 (RGB) or 32 (RGB with alpha)
    quint32 tiffCompression = TiffCompressionNone;
};

// A picture encoded in memory, or why it could not be.
struct Encoded {
    QByteArray bytes;
    std::optional<SaveError> error;
};

// Encodes a picture as a whole file's bytes:
//   PNG   lossless, RGB (RGBA when the picture has an alpha channel);
//   JPEG  baseline at the given quality;
//   BMP   the picture's own depth (24 bits for a screen picture, 8 for an indexed one);
//   GIF   palette reduced (nearest colours, no dithering) when the picture has more
//         than 256 colours;
//   TIFF  8 bits per sample at the given depth and compression.
Encoded encodePicture(const QImage& image, PictureFormat format, const EncodeSettings& settings);

// The encoders behind encodePicture; each returns an error text instead of bytes
// when it fails.
struct EncoderOutput {
    QByteArray bytes;
    QString failure;
};
EncoderOutput encodeWithQt(const QImage& image, const char* format, int quality);
EncoderOutput encodePng(const QImage& image);
EncoderOutput encodeBmp(const QImage& image);
EncoderOutput encodeGif(const QImage& image);
EncoderOutput encodeTiff(const QImage& image, bool withAlpha, bool lzw);
// The uncompressed TIFF that encodeTiff writes without libtiff.
EncoderOutput encodePlainTiff(const QImage& image, bool withAlpha);

// Writers that hand the file to a sink piece by piece, straight from the
// pixels: BMP for opaque true-colour pictures, uncompressed TIFF. False when the
// picture cannot be written so (or the sink refused).
bool bmpWritesDirectly(const QImage& image);
bool writeBmp(const QImage& image, const ByteSink& sink);
bool writePlainTiff(const QImage& image, bool withAlpha, const ByteSink& sink);

// The piecewise writer for a picture, format and settings, where there is
// one; empty otherwise (encodePicture then makes the whole file in memory).
using StreamWriter = std::function<bool(const ByteSink& sink)>;
StreamWriter streamWriterFor(const QImage& image, PictureFormat format,
                             const EncodeSettings& settings);

} // namespace kv
