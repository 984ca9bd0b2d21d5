// The W3C colour-contrast evaluation of a text colour on a background colour.
#pragma once

#include <string>

namespace marnova {

struct RGBTriple {
  int Red, Green, Blue;
};

struct ContrastResult {
  bool Determined;  // both inputs valid; otherwise only the texts mean anything
  int BrightnessDifference;
  int ColorDifference;
  bool BrightnessPasses;       // more than 125
  bool ColorPasses;            // more than 500
  std::string BrightnessText;  // UTF-8, e.g. "Differenza di Luminosità = 255"
  std::string ColorText;
};

// Thresholds: a figure passes when it is greater than these.
inline constexpr int kBrightnessThreshold = 125;
inline constexpr int kColorThreshold = 500;

// 299 R + 587 G + 114 B, 0..255000 for channels 0..255; the brightness proper
// is this sum divided by 1000.
int Brightness(int R, int G, int B);

// |a / 1000 - b / 1000| truncated, with both quotients and the difference
// rounded to a 64-bit significand (ties to even), as extended-precision
// hardware computes it. Sums 0..255000.
int BrightnessSumDifference(int sumA, int sumB);

ContrastResult EvaluateContrast(RGBTriple text, RGBTriple back, bool textValid, bool backValid);

}  // namespace marnova
