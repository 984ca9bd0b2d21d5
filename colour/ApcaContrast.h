// APCA (the contrast of the WCAG 3 draft), as APCA-W3 0.1.9 computes it,
// and the figure the verdict hint shows.
#pragma once

#include <string>

#include "colour/Contrast.h"

namespace marnova {

// The screen luminance APCA works on: each channel / 255 raised to 2.4,
// weighted by the sRGB coefficients.
double ApcaLuminance(RGBTriple c);

// Lc of text on background: about 0..106 for dark text on a light
// background, negative (to about -108) for light text on a dark one, 0 where
// the two are too close.
double ApcaContrast(RGBTriple text, RGBTriple back);

// "71,1": one decimal, halves away from zero, with the decimal comma.
std::string ApcaText(double lc);

}  // namespace marnova
