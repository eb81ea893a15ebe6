#pragma once

#include <QString>
#include <array>

namespace kv {

// Notations of a colour beyond the six programmer ones, for style sheets, print and
// shader code, in the order the preview's menu lists them.
enum class ColourFormat { Hsl, Hsv, Cmyk, Lab, Oklch, Vec3, Rgb };

inline constexpr std::array<ColourFormat, 7> kColourFormats = {
    ColourFormat::Hsl,   ColourFormat::Hsv,  ColourFormat::Cmyk, ColourFormat::Lab,
    ColourFormat::Oklch, ColourFormat::Vec3, ColourFormat::Rgb,
};

// "hsl(210, 100%, 56%)", "hsv(210, 88%, 100%)", "cmyk(88%, 44%, 0%, 0%)",
// "lab(58.36% 0.89 -64.78)", "oklch(65.20% 0.1901 253.2)", "vec3(0.118, 0.565, 1.000)",
// "rgb(30 144 255)" for (30, 144, 255).
QString FormatColour(ColourFormat format, int red, int green, int blue);

} // namespace kv
