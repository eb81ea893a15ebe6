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
        const int y = nearInt(kYr * r + kYg * g + kYb * b);
        const int u = nearInt(kUr * r + kUg * g + kUb * b + 128.0);
        const int v = nearInt(kVr * r + kVg * g + kVb * b + 128.0);
        yuv[2] = ClampByte(float(y));
        yuv[1] = ClampByte(float(u));
        yuv[0] = ClampByte(float(v));
        yuv[3] = 0;
    }
}

void RenderFromYuv(const std::uint8_t* yuv, std::uint8_t* bgrx, std::size_t count,
                   const WheelFactors& f) {
    const double sat = double(f.saturationFactor), uAxis = double(f.uFactor);
    const double vAxis = double(f.vFactor);
    for (std::size_t i = 0; i < count; ++i, yuv += 4, bgrx += 4) {
        const int y = yuv[2];
        const int u = int(yuv[1]) - 128;
        const int v = int(yuv[0]) - 128;
        const int u2 = nearInt(sat * u * uAxis);
        const int v2 = nearInt(sat * v * vAxis);
        const int r = nearInt(kRv * v2 + y);
        const int g = nearInt(kGu * u2 + y + kGv * v2);
        const int b = nearInt(kBu * u2 + y);
        bgrx[2] = ClampByte(float(r));
        bgrx[1] = ClampByte(float(g));
        bgrx[0] = ClampByte(float(b));
    }
}

} // namespace kv
