#include "colour/yuv.h"

#include "platform/units.h"

namespace kv {
namespace {

// The coefficients are single-precision constants, while products and sums are
// taken in double, so that every pixel converts the same way on every machine.
constexpr double kYr = 0.299f, kYg = 0.587f, kYb = 0.114f;
constexpr double kUr = -0.147f, kUg = -0.289f, kUb = 0.437f;
constexpr double kVr = 0.615f, kVg = -0.515f, kVb = -0.100f;
constexpr double kRv = 1.14f, kGu = -0.394f, kGv = -0.581f, kBu = 2.028f;

// Rounds to the nearest integer, halves to even, exactly as nearInt does in the
// default rounding mode, but without a library call: adding and taking away
// 1.5 * 2^52 leaves no fraction bits, so the hardware rounds the sum the same way.
// Good for |x| < 2^51, far beyond any value here; this runs several times per
// pixel for every slider step.
inline int roundHalfEven(double x) {
    constexpr double kShift = 6755399441055744.0; // 1.5 * 2^52
    return static_cast<int>((x + kShift) - kShift);
}

// ClampByte for a value that is already whole.
inline std::uint8_t clampWhole(int v) {
    return static_cast<std::uint8_t>(v > 255 ? 255 : (v < 0 ? 0 : v));
}

} // namespace

std::uint8_t ClampByte(float value) {
    if (value > 255.0f) return 255;
    if (value >= 0.0f) return static_cast<std::uint8_t>(nearInt(value));
    return 0; // negative or not a number
}

float SaturationFactorFor(int hslfValue) {
    return hslfValue / 128.0f;
}

void SetHueFactors(int hsllValue, WheelFactors& factors) {
    const float t = hsllValue / 128.0f - 1.0f;
    if (t < 0.0f) {
        factors.uFactor = 1.0f;
        factors.vFactor = t + 1.0f;
    } else {
        factors.uFactor = 1.0f - t;
        factors.vFactor = 1.0f;
    }
}

void ConvertToYuv(const std::uint8_t* bgrx, std::uint8_t* yuv, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i, bgrx += 4, yuv += 4) {
        const double b = bgrx[0], g = bgrx[1], r = bgrx[2];
        yuv[2] = clampWhole(roundHalfEven(kYr * r + kYg * g + kYb * b));
        yuv[1] = clampWhole(roundHalfEven(kUr * r + kUg * g + kUb * b + 128.0));
        yuv[0] = clampWhole(roundHalfEven(kVr * r + kVg * g + kVb * b + 128.0));
        yuv[3] = 0;
    }
}

void RenderFromYuv(const std::uint8_t* yuv, std::uint8_t* bgrx, std::size_t count,
                   const WheelFactors& f) {
    // The scaled chroma depends on its byte alone: 256 values each, once a render.
    int uScaled[256], vScaled[256];
    for (int c = 0; c < 256; ++c) {
        uScaled[c] = roundHalfEven(double(f.saturationFactor) * (c - 128) * double(f.uFactor));
        vScaled[c] = roundHalfEven(double(f.saturationFactor) * (c - 128) * double(f.vFactor));
    }
    for (std::size_t i = 0; i < count; ++i, yuv += 4, bgrx += 4) {
        const int y = yuv[2];
        const int u = uScaled[yuv[1]];
        const int v = vScaled[yuv[0]];
        bgrx[2] = clampWhole(roundHalfEven(kRv * v + y));
        bgrx[1] = clampWhole(roundHalfEven(kGu * u + y + kGv * v));
        bgrx[0] = clampWhole(roundHalfEven(kBu * u + y));
    }
}

} // namespace kv
