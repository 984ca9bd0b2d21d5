// The WCAG 2 contrast ratio of two colours, its four conformance levels, and
// the Italian text that shows them.
#pragma once

#include <string>

#include "colour/Contrast.h"

namespace marnova {

struct WcagLevels {
  bool AANormal;   // ratio of 4.5 or more
  bool AALarge;    // 3 or more
  bool AAANormal;  // 7 or more
  bool AAALarge;   // 4.5 or more
};

// The sRGB channel value 0..255 linearised, 0..1.
double LinearChannel(int c);

// The relative luminance 0..1.
double RelativeLuminance(RGBTriple c);

// (lighter + 0.05) / (darker + 0.05), 1..21; symmetric.
double WcagContrastRatio(RGBTriple a, RGBTriple b);

// The levels on the unrounded ratio.
WcagLevels WcagVerdicts(double ratio);

// The ratio in hundredths, truncated: a figure shown never reaches a
// threshold that the ratio itself misses.
int TruncatedHundredths(double ratio);

// "4,47:1": two decimals, truncated, with the decimal comma.
std::string WcagRatioText(double ratio);

// The hint of the result lines and the lights, one item per line: the WCAG 2
// ratio, its four levels, the APCA figure and the worst ratio under a
// colour-vision deficiency; with either colour invalid only the first line,
// ending in "???".
std::string WcagContrastHint(RGBTriple text, RGBTriple back, bool textValid, bool backValid);

}  // namespace marnova
