// The colour spaces of CSS Color 4 that style sheets name, converted to
// sRGB, and the gamut mapping that brings a colour outside sRGB inside.
#pragma once

#include <array>

namespace marnova {

using Vec3 = std::array<double, 3>;

// sRGB (gamma-encoded, 0..1 inside the gamut) from each space.
Vec3 SrgbFromLinear(const Vec3& linear);
Vec3 SrgbFromHsl(double hue, double saturation, double lightness);  // s, l 0..100
Vec3 SrgbFromHwb(double hue, double whiteness, double blackness);   // w, b 0..100
Vec3 SrgbFromLab(const Vec3& lab);
Vec3 SrgbFromLch(const Vec3& lch);
Vec3 SrgbFromOklab(const Vec3& oklab);
Vec3 SrgbFromOklch(const Vec3& oklch);
Vec3 SrgbFromDisplayP3(const Vec3& p3);

// CSS Color 4's "css" gamut mapping into sRGB: OKLCh chroma reduced by
// bisection until the clipped colour is within a just noticeable difference
// (deltaEOK 0.02) of it. Every channel of the result lies in 0..1.
Vec3 MapIntoSrgb(const Vec3& srgb);

}  // namespace marnova
