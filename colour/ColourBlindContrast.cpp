#include "colour/ColourBlindContrast.h"

#include <algorithm>
#include <array>

#include "colour/WcagContrast.h"

namespace marnova {

namespace {

using Matrix = std::array<std::array<double, 3>, 3>;

// The published matrices for severity 1.0, applied to linear sRGB.
constexpr Matrix kSimulation[] = {
    {{{0.152286, 1.052583, -0.204868},
      {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},
    {{{0.367322, 0.860646, -0.227968},
      {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},
    {{{1.255528, -0.076749, -0.178779},
      {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},
};

// The luminance of the colour as seen, in units of 1/10000 like the WCAG
// figure, so that an unaffected pair gives the WCAG figure's own ratio.
double SeenLuminance(const Matrix& m, RGBTriple c) {
  const double linear[3] = {LinearChannel(c.Red), LinearChannel(c.Green), LinearChannel(c.Blue)};
  double seen[3];
  for (int i = 0; i < 3; ++i)
    seen[i] = std::clamp(m[i][0] * linear[0] + m[i][1] * linear[1] + m[i][2] * linear[2], 0.0, 1.0);
  return 2126 * seen[0] + 7152 * seen[1] + 722 * seen[2];
}

}  // namespace

ColourBlindContrast WorstColourBlindContrast(RGBTriple text, RGBTriple back) {
  ColourBlindContrast worst{Deficiency::Protanopia, 0};
  for (int d = 0; d < 3; ++d) {
    const double a = SeenLuminance(kSimulation[d], text), b = SeenLuminance(kSimulation[d], back);
    const double ratio = (std::max(a, b) + 500) / (std::min(a, b) + 500);
    if (d == 0 || ratio < worst.Ratio) worst = {static_cast<Deficiency>(d), ratio};
  }
  return worst;
}

const char* DeficiencyName(Deficiency deficiency) {
  switch (deficiency) {
    case Deficiency::Protanopia:
      return "protanopia";
    case Deficiency::Deuteranopia:
      return "deuteranopia";
    case Deficiency::Tritanopia:
      break;
  }
  return "tritanopia";
}

}  // namespace marnova
