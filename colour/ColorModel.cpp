#include "colour/ColorModel.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace marnova {

TColor PackColor(int red, int green, int blue) {
  // Unsigned so that out-of-range channels wrap instead of overflowing.
  const auto packed = static_cast<std::uint32_t>(blue) * 65536u +
                      static_cast<std::uint32_t>(green) * 256u + static_cast<std::uint32_t>(red);
  return static_cast<TColor>(packed);
}

void UnpackColor(TColor color, int& red, int& green, int& blue) {
  const auto bits = static_cast<std::uint32_t>(color);
  red = static_cast<int>(bits & 0xFFu);
  green = static_cast<int>((bits & 0xFF00u) >> 8);
  blue = static_cast<int>((bits & 0xFF0000u) >> 16);
}

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  std::int64_t quotient = product / denominator;
  const std::int64_t remainder = product % denominator;
  const std::int64_t absRemainder = remainder < 0 ? -remainder : remainder;
  const std::int64_t absDenominator = denominator < 0 ? -std::int64_t{denominator} : denominator;
  if (2 * absRemainder >= absDenominator) {
    // Away from zero: the sign of the exact quotient is the sign of product / denominator.
    quotient += ((product < 0) != (denominator < 0)) ? -1 : 1;
  }
  constexpr std::int64_t kLimit = std::numeric_limits<int>::max();
  if (quotient > kLimit || quotient < -kLimit) return -1;
  return static_cast<int>(quotient);
}

void RGBToHSV(int R, int G, int B, int& H, int& S, int& V) {
  R &= 0xFF;
  G &= 0xFF;
  B &= 0xFF;
  V = std::max({R, G, B});
  const int delta = V - std::min({R, G, B});
  S = V == 0 ? 0 : MulDiv(delta, 255, V);
  if (S == 0) {
    H = 0;
    return;
  }
  // Ties go to red over green over blue.
  if (R == V) {
    H = MulDiv(G - B, 60, delta);
  } else if (G == V) {
    H = 120 + MulDiv(B - R, 60, delta);
  } else {
    H = 240 + MulDiv(R - G, 60, delta);
  }
  if (H < 0) H += 360;
}

void HSVToRGB(int H, int S, int V, int& R, int& G, int& B) {
  __extension__ const auto lowByte = [](__int128 value) { return static_cast<int>(value & 0xFF); };
  if (S == 0) {
    R = G = B = lowByte(V);
    return;
  }
  if (H == 360) H = 0;
  if (H < 0 || H >= 360) {
    R = G = B = 0;
    return;
  }
  const int sector = H / 60;
  const int f = H % 60;
  // 128-bit so that out-of-range S and V cannot overflow.
  __extension__ using wide = __int128;
  const wide v = V;
  const wide vs = v * S;
  const wide p = v - vs / 255;
  const wide q = v - (vs * f) / 15300;
  const wide t = v - (vs * (60 - f)) / 15300;
  wide r = 0, g = 0, b = 0;
  switch (sector) {
    case 0:
      r = v, g = t, b = p;
      break;
    case 1:
      r = q, g = v, b = p;
      break;
    case 2:
      r = p, g = v, b = t;
      break;
    case 3:
      r = p, g = q, b = v;
      break;
    case 4:
      r = t, g = p, b = v;
      break;
    default:
      r = v, g = p, b = q;
      break;
  }
  R = lowByte(r);
  G = lowByte(g);
  B = lowByte(b);
}

std::string ColorToHex(int R, int G, int B) {
  char buffer[3 * 8 + 1];
  // "%X" reads an unsigned value; negative channels print as their 32-bit pattern.
  const int length = std::snprintf(buffer, sizeof buffer, "%.2X%.2X%.2X", static_cast<unsigned>(R),
                                   static_cast<unsigned>(G), static_cast<unsigned>(B));
  return std::string(buffer, static_cast<std::size_t>(length));
}

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

int HexToInt(std::string_view text) {
  // Without a "$" anywhere the text is read as if it began with one.
  const bool hasPrefix = text.find('$') != std::string_view::npos;
  std::size_t i = 0;
  bool negative = false;
  if (hasPrefix) {
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] != '$') return 0;
    ++i;
  }
  if (i >= text.size()) return 0;
  std::uint32_t value = 0;
  int significantDigits = 0;
  for (; i < text.size(); ++i) {
    const int digit = HexDigitValue(text[i]);
    if (digit < 0) return 0;
    if (significantDigits > 0 || digit != 0) ++significantDigits;
    if (significantDigits > 8) return 0;
    value = value * 16u + static_cast<std::uint32_t>(digit);
  }
  // Eight digits form a 32-bit pattern; negation wraps like the pattern does.
  if (negative) value = 0u - value;
  return static_cast<int>(value);
}

void HexTextToRGB(std::string_view text, int& R, int& G, int& B) {
  const auto pair = [text](std::size_t first) {
    return first < text.size() ? HexToInt(text.substr(first, 2)) : 0;
  };
  R = pair(0);
  G = pair(2);
  B = pair(4);
}

}  // namespace marnova
