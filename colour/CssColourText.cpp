#include <algorithm>
#include <charconv>

#include "colour/ColorModel.h"
#include "colour/CssColour.h"

namespace marnova {

namespace {

// `value` with `decimals` places, trailing zeros dropped; '.' whatever the
// locale, as style sheets write it.
std::string Decimal(double value, int decimals) {
  char buffer[32];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  return text == "-0" ? "0" : text;
}

bool SameColour(RGBTriple a, RGBTriple b) {
  return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

}  // namespace

std::string CssHexText(RGBTriple colour) {
  std::string text = "#";  // appended: see CssRgbText
  text += ColorToHex(colour.Red, colour.Green, colour.Blue);
  return text;
}

std::string CssRgbText(RGBTriple colour) {
  // Appended piece by piece: GCC 12's -Wrestrict misreads a literal laid
  // before a temporary string in a Release build.
  std::string text = "rgb(";
  text += std::to_string(colour.Red);
  text += ' ';
  text += std::to_string(colour.Green);
  text += ' ';
  text += std::to_string(colour.Blue);
  text += ')';
  return text;
}

std::string CssHslText(RGBTriple colour) {
  const double r = colour.Red / 255.0, g = colour.Green / 255.0, b = colour.Blue / 255.0;
  const double high = std::max({r, g, b}), low = std::min({r, g, b}), d = high - low;
  const double l = (high + low) / 2;
  double h = 0, s = 0;
  if (d > 0) {
    s = (high - l) / std::min(l, 1 - l);
    if (high == r)
      h = (g - b) / d + (g < b ? 6 : 0);
    else if (high == g)
      h = (b - r) / d + 2;
    else
      h = (r - g) / d + 4;
    h *= 60;
  }
  // As few decimals as still read back as this colour; three always do.
  std::string text;
  for (int decimals = 0; decimals <= 3; ++decimals) {
    text = "hsl(";  // appended: see CssRgbText
    text += Decimal(h, decimals);
    text += ' ';
    text += Decimal(s * 100, decimals);
    text += "% ";
    text += Decimal(l * 100, decimals);
    text += "%)";
    const std::optional<CssColour> back = ParseCssColour(text);
    if (back && SameColour(CompositeOver(*back, {255, 255, 255}), colour)) break;
  }
  return text;
}

}  // namespace marnova
