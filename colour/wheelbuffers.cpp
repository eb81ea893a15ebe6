#include "colour/wheelbuffers.h"

#include <cstring>

namespace kv {

void WheelBuffers::Build(const QImage& picture) {
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    wheelWidth = source.width();
    wheelHeight = source.height();
    wheelHeader = WheelHeader{};
    wheelHeader.width = wheelWidth;
    wheelHeader.height = -wheelHeight;
    const std::size_t rowBytes = std::size_t(wheelWidth) * 4;
    wheelPixels.assign(rowBytes * wheelHeight, 0);
    wheelYuv.assign(rowBytes * wheelHeight, 0);
    // Format_RGB32 keeps each pixel as blue, green, red, 0xFF in memory on a
    // little-endian machine: the buffer's own channel order.
    for (int y = 0; y < wheelHeight; ++y)
        std::memcpy(wheelPixels.data() + y * rowBytes, source.constScanLine(y), rowBytes);
    ConvertToYuv(wheelPixels.data(), wheelYuv.data(), std::size_t(wheelWidth) * wheelHeight);
    factors = WheelFactors{};
}

void WheelBuffers::Render() {
    RenderFromYuv(wheelYuv.data(), wheelPixels.data(), std::size_t(wheelWidth) * wheelHeight,
                  factors);
}

bool WheelBuffers::WriteTo(QImage& picture) const {
    if (!built() || picture.size() != QSize(wheelWidth, wheelHeight) ||
        picture.format() != QImage::Format_RGB32)
        return false;
    const std::size_t rowBytes = std::size_t(wheelWidth) * 4;
    for (int y = 0; y < wheelHeight; ++y)
        std::memcpy(picture.scanLine(y), wheelPixels.data() + y * rowBytes, rowBytes);
    return true;
}

QString SaturationCaption(int hslfValue) {
    return QStringLiteral("饱和度:    ") + QString::number(hslfValue);
}

QString HueCaption(int hsllValue) {
    return QStringLiteral("色调:      ") + QString::number(hsllValue - 128);
}

} // namespace kv
