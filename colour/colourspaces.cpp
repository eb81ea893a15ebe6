#include "colour/colourspaces.h"

#include <cmath>
#include <numbers>

namespace kv::colourspace {
namespace {

using Matrix = double[3][3];

Triple times(const Matrix& m, const Triple& v) {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
            m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
}

// sRGB's primaries and D65 white as exact fractions, as CSS Color 4 states them.
constexpr Matrix kLinearSrgbToXyz = {
    {506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
    {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
    {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270},
};
constexpr Matrix kBradfordD65ToD50 = {
    {1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
    {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
    {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371},
};
constexpr Matrix kXyzToLms = {
    {0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
    {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
    {0.0481771893596242, 0.2642395317527308, 0.6335478284694309},
};
constexpr Matrix kLmsToOklab = {
    {0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
    {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
    {0.0259040424655478, 0.7827717124575296, -0.8086757549230774},
};
// The D50 white from its chromaticity (0.3457, 0.3585).
constexpr Triple kWhiteD50 = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

} // namespace

double linearFromSrgb(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Triple xyzD65FromLinearSrgb(const Triple& rgb) {
    return times(kLinearSrgbToXyz, rgb);
}

Triple xyzD50FromXyzD65(const Triple& xyz) {
    return times(kBradfordD65ToD50, xyz);
}

Triple labFromXyzD50(const Triple& xyz) {
    constexpr double epsilon = 216.0 / 24389;
    constexpr double kappa = 24389.0 / 27;
    auto f = [](double v) { return v > epsilon ? std::cbrt(v) : (kappa * v + 16) / 116; };
    const double fx = f(xyz.x / kWhiteD50.x);
    const double fy = f(xyz.y / kWhiteD50.y);
    const double fz = f(xyz.z / kWhiteD50.z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Triple oklabFromXyzD65(const Triple& xyz) {
    const Triple lms = times(kXyzToLms, xyz);
    return times(kLmsToOklab, {std::cbrt(lms.x), std::cbrt(lms.y), std::cbrt(lms.z)});
}

Triple polarFromCartesian(const Triple& lab) {
    double hue = std::atan2(lab.z, lab.y) * 180 / std::numbers::pi;
    if (hue < 0) hue += 360;
    return {lab.x, std::hypot(lab.y, lab.z), hue};
}

namespace {
Triple xyzOf(int red, int green, int blue) {
    return xyzD65FromLinearSrgb({linearFromSrgb(red), linearFromSrgb(green), linearFromSrgb(blue)});
}
} // namespace

Triple cieLabOf(int red, int green, int blue) {
    return labFromXyzD50(xyzD50FromXyzD65(xyzOf(red, green, blue)));
}

Triple oklabOf(int red, int green, int blue) {
    return oklabFromXyzD65(xyzOf(red, green, blue));
}

} // namespace kv::colourspace
