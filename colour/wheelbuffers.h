#pragma once

#include "colour/yuv.h"

#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace kv {

// Layout of the wheel's pixel buffer: a top-down picture of 32-bit pixels,
// rows packed without padding (a negative height means rows from the top).
struct WheelHeader {
    int size = 40;
    int width = 0;
    int height = 0;
    int planes = 1;
    int bitCount = 32;
    int compression = 0;
};

// The wheel as bytes, and a Y/U/V copy from which the hue and saturation sliders
// re-render it. Both buffers hold 4 bytes a pixel, x fastest, rows from the top.
struct WheelBuffers {
    int wheelWidth = 0;
    int wheelHeight = 0;
    WheelHeader wheelHeader;
    std::vector<std::uint8_t> wheelPixels;
    std::vector<std::uint8_t> wheelYuv;
    WheelFactors factors;

    bool built() const { return wheelWidth > 0 && wheelHeight > 0; }
    // Reads the picture into the buffers, converts it to Y/U/V and resets the
    // factors to 1. A null picture gives empty buffers.
    void Build(const QImage& picture);
    // Renders wheelYuv with the factors into wheelPixels.
    void Render();
    // Writes wheelPixels into the picture, which must be the one the buffers were
    // built from (same size, 32-bit). Returns false and leaves it alone otherwise.
    bool WriteTo(QImage& picture) const;
};

// Slider captions: "饱和度:" and four spaces, "色调:" and six spaces, then the number.
QString SaturationCaption(int hslfValue);
QString HueCaption(int hsllValue);

} // namespace kv
