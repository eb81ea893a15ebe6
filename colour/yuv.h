#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

// A real value made a byte: above 255 gives 255, 0 to 255 rounds to the nearest
// integer (halves to even), anything else, a value that is not a number included,
// gives 0.
std::uint8_t ClampByte(float value);

// The adjustment factors of the wheel: saturation scales both chroma components,
// the hue pair fades one chroma axis out.
struct WheelFactors {
    float saturationFactor = 1.0f;
    float uFactor = 1.0f;
    float vFactor = 1.0f;
};

// Saturation slider position (0 to 256) to its factor, 0 to 2.
float SaturationFactorFor(int hslfValue);
// Hue slider position (0 to 256): below 128 fades V, from 128 up fades U.
void SetHueFactors(int hsllValue, WheelFactors& factors);

// Pixel buffers are 4 bytes a pixel, channel 0 first: 0 blue, 1 green, 2 red, 3 the
// fourth byte. A Y/U/V buffer has the same shape: 2 luma, 1 U + 128, 0 V + 128.

// Converts `count` pixels of `bgrx` into `yuv` (channel 3 of `yuv` becomes 0).
void ConvertToYuv(const std::uint8_t* bgrx, std::uint8_t* yuv, std::size_t count);

// Renders `count` pixels of `yuv` with the factors back into `bgrx`; channel 3 of
// `bgrx` is left as it is.
void RenderFromYuv(const std::uint8_t* yuv, std::uint8_t* bgrx, std::size_t count,
                   const WheelFactors& factors);

} // namespace kv
