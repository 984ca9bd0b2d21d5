// The colour panel's hexadecimal text and the colour conversions behind it.
// Properties: any text reads as a colour whose canonical text reads back as
// that colour; a text of six hexadecimal digits (either case) comes back as
// the same digits in upper case; HexToInt agrees with strtoul on plain
// digits; MulDiv rounds half away from zero; conversions of any integers
// stay in range and free of undefined behaviour.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "colour/ColorModel.h"
#include "fuzz/FuzzCheck.h"

namespace {

using namespace marnova;

bool IsByte(int v) {
  return v >= 0 && v <= 255;
}

bool IsCanonicalHex(const std::string& text) {
  if (text.size() != 6) return false;
  for (char c : text)
    if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'A' || c > 'F')) return false;
  return true;
}

void CheckText(std::string_view text) {
  int r = -1, g = -1, b = -1;
  HexTextToRGB(text, r, g, b);
  FUZZ_CHECK(IsByte(r) && IsByte(g) && IsByte(b));
  const std::string canonical = ColorToHex(r, g, b);
  FUZZ_CHECK(IsCanonicalHex(canonical));
  int r2 = -1, g2 = -1, b2 = -1;
  HexTextToRGB(canonical, r2, g2, b2);
  FUZZ_CHECK(r2 == r && g2 == g && b2 == b);
}

// Six hexadecimal digits in mixed case, from any six bytes.
void CheckSixDigits(const std::uint8_t* data) {
  static constexpr char kDigits[] = "0123456789ABCDEFabcdef";
  std::string text(6, '0');
  for (int i = 0; i < 6; ++i) text[i] = kDigits[data[i] % 22];
  int r = -1, g = -1, b = -1;
  HexTextToRGB(text, r, g, b);
  std::string upper = text;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  FUZZ_CHECK(ColorToHex(r, g, b) == upper);
  FUZZ_CHECK(HexToInt(text) == (r << 16 | g << 8 | b));
}

void CheckHexToInt(std::string_view text) {
  const int value = HexToInt(text);
  // One to eight plain digits: the same number strtoul reads.
  if (text.empty() || text.size() > 8) return;
  for (char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return;
  const std::string copy(text);
  FUZZ_CHECK(static_cast<std::uint32_t>(value) == std::strtoul(copy.c_str(), nullptr, 16));
}

void CheckNumbers(const std::uint8_t* data) {
  std::int32_t n[3];
  std::memcpy(n, data, sizeof n);

  __extension__ using wide = __int128;
  const int q = MulDiv(n[0], n[1], n[2]);
  if (n[2] != 0) {
    const wide product = wide{n[0]} * n[1];
    const wide d = n[2];
    // Nearest integer, halves away from zero: floor((2|p| + |d|) / 2|d|) with the sign.
    const wide ap = product < 0 ? -product : product, ad = d < 0 ? -d : d;
    wide rounded = (2 * ap + ad) / (2 * ad);
    if ((product < 0) != (d < 0)) rounded = -rounded;
    const bool fits = rounded <= 2147483647 && rounded >= -2147483647;
    FUZZ_CHECK(q == (fits ? static_cast<int>(rounded) : -1));
  } else {
    FUZZ_CHECK(q == -1);
  }

  int h = -1, s = -1, v = -1;
  RGBToHSV(n[0], n[1], n[2], h, s, v);
  FUZZ_CHECK(h >= 0 && h <= 359 && IsByte(s) && IsByte(v));
  int r = -1, g = -1, b = -1;
  HSVToRGB(h, s, v, r, g, b);
  FUZZ_CHECK(IsByte(r) && IsByte(g) && IsByte(b));
  HSVToRGB(n[0], n[1], n[2], r, g, b);  // any integers: low bytes, never undefined behaviour
  FUZZ_CHECK(IsByte(r) && IsByte(g) && IsByte(b));

  const TColor packed = PackColor(n[0] & 0xFF, n[1] & 0xFF, n[2] & 0xFF);
  UnpackColor(packed, r, g, b);
  FUZZ_CHECK(r == (n[0] & 0xFF) && g == (n[1] & 0xFF) && b == (n[2] & 0xFF));
  UnpackColor(n[0], r, g, b);
  FUZZ_CHECK(IsByte(r) && IsByte(g) && IsByte(b));
  (void)ColorToHex(n[0], n[1], n[2]);  // widest text of any channels fits its buffer
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckText(text);
  CheckHexToInt(text);
  if (size >= 6) CheckSixDigits(data);
  if (size >= 12) CheckNumbers(data);
  return 0;
}
