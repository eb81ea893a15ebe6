#include "imageio/savepicture.h"

#include "imageio/filewriter.h"

namespace kv {

std::optional<SaveError> writeWholeFile(const QString& fileName, const QByteArray& bytes) {
    FileWriter file(fileName);
    if (auto error = file.open()) return error;
    file.write(bytes.constData(), bytes.size());
    return file.commit();
}

namespace {

// BMP and uncompressed TIFF go to the file piece by piece as they are made,
// at about the speed of the write itself.
std::optional<SaveError> streamToFile(const QString& fileName, const StreamWriter& writer,
                                      PictureFormat format) {
    FileWriter file(fileName);
    if (auto error = file.open()) return error;
    bool sinkFailed = false;
    const ByteSink sink = [&](const char* data, qsizetype n) {
        sinkFailed = !file.write(data, n);
        return !sinkFailed;
    };
    if (!writer(sink) && !sinkFailed)
        return SaveError{EncoderError,
                         QStringLiteral("无法把图片编码为 %1 格式: 图片太大或内存不足。")
                             .arg(formatName(format))};
    return file.commit();
}

} // namespace

std::optional<SaveError> savePicture(const Picture& picture, const QString& fileName,
                                     const QString& formatKey, const EncodeSettings& settings) {
    const std::optional<PictureFormat> format = formatForKey(formatKey);
    if (!format)
        return SaveError{
            UnknownFormatError,
            QStringLiteral("不支持的图片格式“%1”。可以保存的格式: png、jpg(jpeg)、bmp、gif、tiff。")
                .arg(formatKey)};
    if (const StreamWriter writer = streamWriterFor(picture.image(), *format, settings))
        return streamToFile(fileName, writer, *format);
    Encoded encoded = encodePicture(picture.image(), *format, settings);
    if (encoded.error) return encoded.error;
    return writeWholeFile(fileName, encoded.bytes);
}

} // namespace kv
