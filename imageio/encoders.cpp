#include "imageio/encoders.h"

namespace kv {

namespace {

SaveError settingError(const QString& text) {
    return {UnsupportedSettingError, text};
}

} // namespace

Encoded encodePicture(const QImage& image, PictureFormat format, const EncodeSettings& settings) {
    if (image.isNull())
        return {{}, SaveError{NoPictureError, QStringLiteral("没有可以保存的图片。")}};

    EncoderOutput out;
    switch (format) {
    case PictureFormat::Png:
        out = encodePng(image);
        break;
    case PictureFormat::Jpeg:
        if (settings.jpegQuality > 100)
            return {
                {},
                settingError(
                    QStringLiteral("JPEG 质量 %1 超出范围(0 到 100)。").arg(settings.jpegQuality))};
        out = encodeWithQt(image, "jpeg", int(settings.jpegQuality));
        break;
    case PictureFormat::Bmp:
        out = encodeBmp(image);
        break;
    case PictureFormat::Gif:
        out = encodeGif(image);
        break;
    case PictureFormat::Tiff:
        if (settings.tiffColourDepth != 24 && settings.tiffColourDepth != 32)
            return {{},
                    settingError(QStringLiteral("不支持 %1 位颜色深度的 TIFF(可用 24 或 32 位)。")
                                     .arg(settings.tiffColourDepth))};
        if (settings.tiffCompression != TiffCompressionNone &&
            settings.tiffCompression != TiffCompressionLzw)
            return {{},
                    settingError(QStringLiteral("不支持 TIFF 压缩方式 %1(可用 6 不压缩或 2 LZW)。")
                                     .arg(settings.tiffCompression))};
        out = encodeTiff(image, settings.tiffColourDepth == 32,
                         settings.tiffCompression == TiffCompressionLzw);
        break;
    }
    if (!out.failure.isEmpty() || out.bytes.isEmpty()) {
        const QString why =
            out.failure.isEmpty() ? QStringLiteral("编码器没有输出数据。") : out.failure;
        return {
            {},
            SaveError{EncoderError,
                      QStringLiteral("无法把图片编码为 %1 格式: %2").arg(formatName(format), why)}};
    }
    return {std::move(out.bytes), std::nullopt};
}

StreamWriter streamWriterFor(const QImage& image, PictureFormat format,
                             const EncodeSettings& settings) {
    if (format == PictureFormat::Bmp && bmpWritesDirectly(image))
        return [image](const ByteSink& sink) { return writeBmp(image, sink); };
    const bool plainTiff = settings.tiffCompression == TiffCompressionNone &&
                           (settings.tiffColourDepth == 24 || settings.tiffColourDepth == 32);
    if (format == PictureFormat::Tiff && plainTiff && !image.isNull()) {
        const bool alpha = settings.tiffColourDepth == 32;
        return [image, alpha](const ByteSink& sink) { return writePlainTiff(image, alpha, sink); };
    }
    return {};
}

} // namespace kv
