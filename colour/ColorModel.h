// Packed colours, the integer RGB/HSV conversions and hexadecimal colour text.
// Plain integer arithmetic throughout; no Qt and no platform code.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace marnova {

// A packed colour laid out 0x00BBGGRR (red in the lowest byte).
using TColor = std::int32_t;

TColor PackColor(int red, int green, int blue);
// Ignores the top byte.
void UnpackColor(TColor color, int& red, int& green, int& blue);

// Takes the low 8 bits of each channel. H 0..359, S 0..255, V 0..255.
void RGBToHSV(int R, int G, int B, int& H, int& S, int& V);
// H 0..360 (360 is 0), S and V 0..255; each channel is the low 8 bits of the
// computed value. A hue outside 0..360 gives black.
void HSVToRGB(int H, int S, int V, int& R, int& G, int& B);

// "%.2X%.2X%.2X": six upper-case digits for channels 0..255.
std::string ColorToHex(int R, int G, int B);
// Hexadecimal text with an optional "$" prefix, sign and leading blanks;
// 0 for anything that is not such a number.
int HexToInt(std::string_view text);
// The colour the colour panel's six-character text names: characters 1 and 2
// are red, 3 and 4 green, 5 and 6 blue, each pair read by HexToInt (so a
// pair that is not a number gives 0). One byte per character.
void HexTextToRGB(std::string_view text, int& R, int& G, int& B);

// number * numerator / denominator with the product taken in 64 bits and the
// quotient rounded half away from zero; -1 for a zero denominator or a
// result outside +-2147483647.
int MulDiv(int number, int numerator, int denominator);

}  // namespace marnova
