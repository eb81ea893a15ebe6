// PNG, JPEG and BMP through Qt's own image writers.
#include "imageio/encoders.h"

#include <QBuffer>
#include <QImageWriter>

namespace kv {

EncoderOutput encodeWithQt(const QImage& image, const char* format, int quality) {
    EncoderOutput out;
    QBuffer buffer(&out.bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    // -1 leaves the writer at its defaults; for JPEG the writer makes a baseline
    // (sequential) file unless asked for a progressive one.
    writer.setQuality(quality);
    if (!writer.write(image)) {
        out.failure = writer.errorString();
        out.bytes.clear();
    }
    return out;
}

} // namespace kv
