// Colour text as style sheets write it (CSS Color 4): read in, written out.
// No Qt and no platform code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "colour/Contrast.h"

namespace marnova {

// A colour brought into sRGB: channels 0..1 (gamut-mapped), alpha 0..1.
struct CssColour {
  double Red, Green, Blue, Alpha;
};

// One colour value, case-insensitive, with blanks around it, an optional
// "color:", "background:" or "background-color:" before it and an optional
// ";" after it: hex (#rgb, #rgba, #rrggbb, #rrggbbaa, bare rrggbb), rgb(),
// rgba(), hsl(), hsla(), hwb(), the 148 named colours and transparent, lab(), lch(),
// oklab(), oklch() and color(srgb | srgb-linear | display-p3 ...). Colours
// outside sRGB are brought in by CSS Color 4's gamut mapping. Nothing for
// any other text.
std::optional<CssColour> ParseCssColour(std::string_view text);

// The colour composited over an opaque backdrop, each channel rounded to
// the nearest of 0..255.
RGBTriple CompositeOver(const CssColour& colour, RGBTriple backdrop);

// What the colour panel copies out: "#1A2B3C", "rgb(26 43 60)" and an hsl()
// with as few decimals as still read back as the same colour.
std::string CssHexText(RGBTriple colour);
std::string CssRgbText(RGBTriple colour);
std::string CssHslText(RGBTriple colour);

}  // namespace marnova
