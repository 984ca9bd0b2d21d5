// The WCAG 2 contrast of a pair as readers with a colour-vision deficiency
// see it, by Machado, Oliveira & Fernandes (2009) at full severity.
#pragma once

#include <string>

#include "colour/Contrast.h"

namespace marnova {

enum class Deficiency { Protanopia, Deuteranopia, Tritanopia };

struct ColourBlindContrast {
  Deficiency Worst;  // the first of the lowest, in the order above
  double Ratio;      // its WCAG 2 ratio, 1..21
};

// The lowest of the three ratios.
ColourBlindContrast WorstColourBlindContrast(RGBTriple text, RGBTriple back);

// "protanopia", "deuteranopia", "tritanopia".
const char* DeficiencyName(Deficiency deficiency);

}  // namespace marnova
