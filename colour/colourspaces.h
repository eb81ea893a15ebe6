#pragma once

namespace kv {

// Three numbers of one colour in some colour space (X Y Z, L a b, L C h ...).
struct Triple {
    double x = 0, y = 0, z = 0;
};

// The conversions behind the CSS lab() and oklch() notations, written as CSS Color 4
// defines them: sRGB's transfer curve, its primaries into CIE XYZ (D65), Bradford
// adaptation to D50 for CIE Lab, and Ottosson's OKLab from XYZ (D65).
namespace colourspace {

// One 8-bit sRGB channel as linear light, 0 to 1.
double linearFromSrgb(int channel);
Triple xyzD65FromLinearSrgb(const Triple& rgb);
Triple xyzD50FromXyzD65(const Triple& xyz);
// L 0 to 100 for the reference white.
Triple labFromXyzD50(const Triple& xyz);
// L 0 to 1 for the reference white.
Triple oklabFromXyzD65(const Triple& xyz);
// L, chroma and hue in degrees, 0 up to (not including) 360.
Triple polarFromCartesian(const Triple& lab);

Triple cieLabOf(int red, int green, int blue);
Triple oklabOf(int red, int green, int blue);

} // namespace colourspace
} // namespace kv
