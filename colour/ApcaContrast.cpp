#include "colour/ApcaContrast.h"

#include <array>
#include <cmath>

namespace marnova {

namespace {

// APCA-W3 0.1.9's constants (its "SA98G" set).
constexpr double kRedWeight = 0.2126729, kGreenWeight = 0.7151522, kBlueWeight = 0.0721750;
constexpr double kNormBackground = 0.56, kNormText = 0.57, kRevText = 0.62, kRevBackground = 0.65;
constexpr double kBlackThreshold = 0.022, kBlackClamp = 1.414;
constexpr double kScale = 1.14, kOffset = 0.027, kDeltaYMin = 0.0005, kLowClip = 0.1;

// Each channel's term is pow(c / 255, 2.4), as the reference computes it;
// kept in a table, it costs no pow per evaluation.
std::array<double, 256> MakePowerTable() {
  std::array<double, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = std::pow(c / 255.0, 2.4);
  return table;
}
const std::array<double, 256> kPower = MakePowerTable();

// Near black, luminance is raised softly (the display's flare).
double SoftClamped(double y) {
  return y > kBlackThreshold ? y : y + std::pow(kBlackThreshold - y, kBlackClamp);
}

}  // namespace

double ApcaLuminance(RGBTriple c) {
  return kRedWeight * kPower[c.Red & 0xFF] + kGreenWeight * kPower[c.Green & 0xFF] +
         kBlueWeight * kPower[c.Blue & 0xFF];
}

double ApcaContrast(RGBTriple text, RGBTriple back) {
  const double textY = SoftClamped(ApcaLuminance(text));
  const double backY = SoftClamped(ApcaLuminance(back));
  if (std::fabs(backY - textY) < kDeltaYMin) return 0;
  double lc = 0;
  if (backY > textY) {
    const double sapc = (std::pow(backY, kNormBackground) - std::pow(textY, kNormText)) * kScale;
    lc = sapc < kLowClip ? 0 : sapc - kOffset;
  } else {
    const double sapc = (std::pow(backY, kRevBackground) - std::pow(textY, kRevText)) * kScale;
    lc = sapc > -kLowClip ? 0 : sapc + kOffset;
  }
  return lc * 100;
}

std::string ApcaText(double lc) {
  const long tenths = std::lround(lc * 10);  // halves away from zero
  const long whole = std::labs(tenths);
  // Appended piece by piece: GCC 12's -Wrestrict misreads a prefix laid
  // before a temporary string in a Release build.
  std::string text = tenths < 0 ? "-" : "";
  text += std::to_string(whole / 10);
  text += ',';
  text += std::to_string(whole % 10);
  return text;
}

}  // namespace marnova
