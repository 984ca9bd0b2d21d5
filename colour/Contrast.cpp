#include "colour/Contrast.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace marnova {

namespace {

// GCC and Clang both provide 128-bit integers on every 64-bit target.
__extension__ using u128 = unsigned __int128;

int BitLength(u128 x) {
  const auto high = static_cast<std::uint64_t>(x >> 64);
  const auto low = static_cast<std::uint64_t>(x);
  if (high != 0) return 128 - __builtin_clzll(high);
  return low != 0 ? 64 - __builtin_clzll(low) : 0;
}

// A positive value mantissa * 2^exponent with a 64-bit mantissa.
struct Extended {
  std::uint64_t mantissa;
  int exponent;
};

// sum / 1000 rounded to a 64-bit significand, ties to even; sum > 0.
// sum / 1000 = (sum * 2^80 / 125) * 2^-83, and the quotient by 125 is formed
// exactly in two 40-bit steps so that only 64-bit divisions by a constant occur.
Extended DivideBy1000(std::uint32_t sum) {
  const std::uint64_t high = (std::uint64_t{sum} << 40) / 125;
  const std::uint64_t rest = (std::uint64_t{sum} << 40) % 125;
  const std::uint64_t low = (rest << 40) / 125;
  const bool inexactTail = (rest << 40) % 125 != 0;
  const u128 quotient = (u128{high} << 40) | low;

  const int shift = BitLength(quotient) - 64;  // at least 10 for sum >= 1
  std::uint64_t mantissa = static_cast<std::uint64_t>(quotient >> shift);
  const u128 dropped = quotient & ((u128{1} << shift) - 1);
  const u128 half = u128{1} << (shift - 1);
  int exponent = shift - 83;
  // The exact tail below the remainder only matters at a tie.
  if (dropped > half || (dropped == half && (inexactTail || (mantissa & 1u) != 0))) {
    if (++mantissa == 0) {  // carried out of 64 bits
      mantissa = std::uint64_t{1} << 63;
      ++exponent;
    }
  }
  return {mantissa, exponent};
}

// |a - b| rounded to a 64-bit significand and truncated to an integer.
int TruncatedDifference(Extended a, Extended b) {
  const int base = a.exponent < b.exponent ? a.exponent : b.exponent;
  // The exponents of two quotients of sums up to 255000 differ by at most 18,
  // so both aligned mantissas fit in 128 bits.
  const u128 alignedA = u128{a.mantissa} << (a.exponent - base);
  const u128 alignedB = u128{b.mantissa} << (b.exponent - base);
  u128 difference = alignedA > alignedB ? alignedA - alignedB : alignedB - alignedA;
  const int excess = BitLength(difference) - 64;
  if (excess > 0) {
    const u128 dropped = difference & ((u128{1} << excess) - 1);
    const u128 half = u128{1} << (excess - 1);
    u128 kept = difference >> excess;
    if (dropped > half || (dropped == half && (kept & 1u) != 0)) ++kept;
    difference = kept << excess;
  }
  // base is negative (every quotient is below 2^9 with a 64-bit mantissa).
  return static_cast<int>(difference >> -base);
}

void AppendNumber(std::string& text, int value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

}  // namespace

int Brightness(int R, int G, int B) {
  return 299 * R + 587 * G + 114 * B;
}

int BrightnessSumDifference(int sumA, int sumB) {
  if (sumA == sumB) return 0;
  if (sumA == 0 || sumB == 0) {
    // One quotient is exactly zero: the difference is the other quotient itself.
    const Extended other = DivideBy1000(static_cast<std::uint32_t>(sumA == 0 ? sumB : sumA));
    return static_cast<int>(u128{other.mantissa} >> -other.exponent);
  }
  return TruncatedDifference(DivideBy1000(static_cast<std::uint32_t>(sumA)),
                             DivideBy1000(static_cast<std::uint32_t>(sumB)));
}

ContrastResult EvaluateContrast(RGBTriple text, RGBTriple back, bool textValid, bool backValid) {
  ContrastResult result{};
  result.BrightnessText = "Differenza di Luminosità = ";
  result.ColorText = "Differenza di Colore = ";
  if (!textValid || !backValid) {
    result.BrightnessText += "???";
    result.ColorText += "???";
    return result;
  }
  // Channels are 0..255 by contract; the mask keeps stray values from
  // overflowing the sums.
  const auto channel = [](int value) { return value & 0xFF; };
  const RGBTriple t{channel(text.Red), channel(text.Green), channel(text.Blue)};
  const RGBTriple b{channel(back.Red), channel(back.Green), channel(back.Blue)};

  result.Determined = true;
  result.BrightnessDifference = BrightnessSumDifference(Brightness(t.Red, t.Green, t.Blue),
                                                        Brightness(b.Red, b.Green, b.Blue));
  result.ColorDifference =
      std::abs(t.Red - b.Red) + std::abs(t.Green - b.Green) + std::abs(t.Blue - b.Blue);
  result.BrightnessPasses = result.BrightnessDifference > kBrightnessThreshold;
  result.ColorPasses = result.ColorDifference > kColorThreshold;
  AppendNumber(result.BrightnessText, result.BrightnessDifference);
  AppendNumber(result.ColorText, result.ColorDifference);
  return result;
}

}  // namespace marnova
