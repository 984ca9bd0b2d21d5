#include "colour/WcagContrast.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "colour/ApcaContrast.h"
#include "colour/ColourBlindContrast.h"

namespace marnova {

namespace {

// Luminance is kept in units of 1/10000 so that the weights are exact
// integers: white is exactly 10000, and white on black exactly 21.
constexpr double kRedWeight = 2126, kGreenWeight = 7152, kBlueWeight = 722;
constexpr double kFlare = 500;  // the 0.05 added to both luminances

// No channel value has c/255 between 0.03928 (older texts) and 0.04045, so
// either threshold gives this table.
std::array<double, 256> MakeLinearTable() {
  std::array<double, 256> table{};
  for (int c = 0; c < 256; ++c) {
    const double v = c / 255.0;
    table[c] = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  }
  return table;
}

const std::array<double, 256> kLinear = MakeLinearTable();

double ScaledLuminance(RGBTriple c) {
  return kRedWeight * kLinear[c.Red & 0xFF] + kGreenWeight * kLinear[c.Green & 0xFF] +
         kBlueWeight * kLinear[c.Blue & 0xFF];
}

constexpr const char* kVerdict[] = {"non superato", "superato"};

}  // namespace

double LinearChannel(int c) {
  return kLinear[c & 0xFF];
}

double RelativeLuminance(RGBTriple c) {
  return ScaledLuminance(c) / 10000;
}

double WcagContrastRatio(RGBTriple a, RGBTriple b) {
  const double la = ScaledLuminance(a), lb = ScaledLuminance(b);
  return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

WcagLevels WcagVerdicts(double ratio) {
  return {ratio >= 4.5, ratio >= 3, ratio >= 7, ratio >= 4.5};
}

int TruncatedHundredths(double ratio) {
  // The thresholds times 100 are whole numbers and the rounded product is
  // monotonic, so a ratio below a threshold never truncates onto it.
  return static_cast<int>(std::floor(ratio * 100));
}

std::string WcagRatioText(double ratio) {
  const int hundredths = TruncatedHundredths(ratio);
  const int cents = hundredths % 100;
  return std::to_string(hundredths / 100) + (cents < 10 ? ",0" : ",") + std::to_string(cents) +
         ":1";
}

std::string WcagContrastHint(RGBTriple text, RGBTriple back, bool textValid, bool backValid) {
  std::string hint = "Rapporto di contrasto WCAG 2: ";
  if (!textValid || !backValid) return hint + "???";
  const double ratio = WcagContrastRatio(text, back);
  const WcagLevels levels = WcagVerdicts(ratio);
  hint += WcagRatioText(ratio);
  hint += "\nAA testo normale: ";
  hint += kVerdict[levels.AANormal];
  hint += "\nAA testo grande: ";
  hint += kVerdict[levels.AALarge];
  hint += "\nAAA testo normale: ";
  hint += kVerdict[levels.AAANormal];
  hint += "\nAAA testo grande: ";
  hint += kVerdict[levels.AAALarge];
  hint += "\nContrasto APCA: Lc ";
  hint += ApcaText(ApcaContrast(text, back));
  const ColourBlindContrast blind = WorstColourBlindContrast(text, back);
  hint += "\nDaltonismo, caso peggiore (";
  hint += DeficiencyName(blind.Worst);
  hint += "): ";
  hint += WcagRatioText(blind.Ratio);
  return hint;
}

}  // namespace marnova
