#include "colour/ColorModel.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <span>
#include <string>
#include <tuple>

namespace marnova {
namespace {

struct Worked {
  int r, g, b;
  const char* hex;
  TColor packed;
  int h, s, v;
  int backR, backG, backB;
};

// Each row: the colour, its text, its packed value, its HSV and the RGB that
// HSV converts back to (which may differ by a few units: channels round up).
const Worked kWorked[] = {
    {255, 0, 0, "FF0000", 0x0000FF, 0, 255, 255, 255, 0, 0},
    {0, 255, 0, "00FF00", 0x00FF00, 120, 255, 255, 0, 255, 0},
    {0, 0, 255, "0000FF", 0xFF0000, 240, 255, 255, 0, 0, 255},
    {255, 255, 0, "FFFF00", 0x00FFFF, 60, 255, 255, 255, 255, 0},
    {0, 255, 255, "00FFFF", 0xFFFF00, 180, 255, 255, 0, 255, 255},
    {255, 0, 255, "FF00FF", 0xFF00FF, 300, 255, 255, 255, 0, 255},
    {255, 255, 255, "FFFFFF", 0xFFFFFF, 0, 0, 255, 255, 255, 255},
    {0, 0, 0, "000000", 0x000000, 0, 0, 0, 0, 0, 0},
    {128, 128, 128, "808080", 0x808080, 0, 0, 128, 128, 128, 128},
    {255, 128, 0, "FF8000", 0x0080FF, 30, 255, 255, 255, 128, 0},
    {200, 100, 50, "C86432", 0x3264C8, 20, 191, 200, 200, 101, 51},
    {51, 102, 153, "336699", 0x996633, 210, 170, 153, 51, 102, 153},
    {12, 34, 56, "0C2238", 0x38220C, 210, 200, 56, 13, 35, 56},
    {100, 150, 151, "649697", 0x979664, 181, 86, 151, 101, 151, 151},
    {250, 10, 130, "FA0A82", 0x820AFA, 330, 245, 250, 250, 10, 130},
    {1, 0, 0, "010000", 0x000001, 0, 255, 1, 1, 0, 0},
    {240, 120, 121, "F07879", 0x7978F0, 359, 128, 240, 240, 120, 122},
};

TEST(ColorModel, WorkedExamples) {
  for (const Worked& w : kWorked) {
    SCOPED_TRACE(w.hex);
    EXPECT_EQ(ColorToHex(w.r, w.g, w.b), w.hex);
    EXPECT_EQ(PackColor(w.r, w.g, w.b), w.packed);
    int r = -1, g = -1, b = -1;
    UnpackColor(w.packed, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array{w.r, w.g, w.b}));
    int h = -1, s = -1, v = -1;
    RGBToHSV(w.r, w.g, w.b, h, s, v);
    EXPECT_EQ((std::array{h, s, v}), (std::array{w.h, w.s, w.v}));
    HSVToRGB(h, s, v, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array{w.backR, w.backG, w.backB}));
  }
}

TEST(ColorModel, UnpackIgnoresTopByteAndRgbToHsvMasksChannels) {
  int r = 0, g = 0, b = 0;
  UnpackColor(static_cast<TColor>(0xFF0080FF), r, g, b);
  EXPECT_EQ((std::array{r, g, b}), (std::array{255, 128, 0}));
  int h = 0, s = 0, v = 0;
  RGBToHSV(256 + 255, 256 + 128, -256, h, s, v);  // low bytes 255, 128, 0
  EXPECT_EQ((std::array{h, s, v}), (std::array{30, 255, 255}));
}

TEST(ColorModel, HsvToRgbTable) {
  struct Row {
    int h, s, v, r, g, b;
  };
  const Row rows[] = {
      {359, 255, 255, 255, 0, 5},   {360, 255, 255, 255, 0, 0}, {30, 128, 200, 200, 150, 100},
      {210, 100, 100, 61, 81, 100}, {90, 255, 128, 64, 128, 0}, {150, 200, 255, 55, 255, 155},
      {45, 0, 77, 77, 77, 77},      {0, 255, 0, 0, 0, 0},       {400, 255, 255, 0, 0, 0},
      {361, 255, 255, 0, 0, 0},     {-1, 255, 255, 0, 0, 0},    {-5, 0, 300, 44, 44, 44},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.h << "," << row.s << "," << row.v);
    int r = -1, g = -1, b = -1;
    HSVToRGB(row.h, row.s, row.v, r, g, b);
    EXPECT_EQ((std::array{r, g, b}), (std::array{row.r, row.g, row.b}));
  }
}

TEST(ColorModel, HsvToRgbSurvivesExtremeInputs) {
  const int extremes[] = {INT_MIN, -1, 0, 255, 256, INT_MAX};
  for (int s : extremes) {
    for (int v : extremes) {
      int r = -1, g = -1, b = -1;
      HSVToRGB(100, s, v, r, g, b);
      for (int channel : {r, g, b}) EXPECT_TRUE(channel >= 0 && channel <= 255);
    }
  }
}

TEST(ColorModel, HexToIntRule) {
  struct Row {
    const char* text;
    int value;
  };
  // " F" is 0: the "$" goes in front of the blank.
  const Row digits[] = {
      {"FF", 255}, {"0a", 10},    {"7", 7},      {"", 0},      {"G1", 0},      {" F", 0},
      {"$1F", 31}, {"  $1F", 31}, {"-$1F", -31}, {"+$1F", 31}, {" -$10", -16}, {"$", 0},
      {"$-1F", 0}, {"1F ", 0},    {"F$F", 0},    {"-1", 0},    {"0x1F", 0},
  };
  // At the limits; leading zeros do not count against eight digits.
  const Row wide[] = {
      {"7FFFFFFF", 2147483647}, {"80000000", INT_MIN},   {"FFFFFFFF", -1},
      {"-$80000000", INT_MIN},  {"-$FFFFFFFF", 1},       {"100000000", 0},
      {"00000000FF", 255},      {"0000000000000000", 0}, {"abcdef", 0xABCDEF},
  };
  for (std::span<const Row> rows : {std::span<const Row>(digits), std::span<const Row>(wide)})
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string("\"") + row.text + "\"");
      EXPECT_EQ(HexToInt(row.text), row.value);
    }
  EXPECT_EQ(HexToInt(std::string_view("F\0F", 3)), 0);
}

TEST(ColorModel, MulDivRoundingAndLimits) {
  struct Row {
    int number, numerator, denominator, result;
  };
  const Row rounding[] = {
      {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, -1, 2, -3}, {-5, -1, 2, 3},    {5, 1, -2, -3},
      {7, 1, 3, 2}, {8, 1, 3, 3},   {-8, 1, 3, -3}, {-1, 60, 120, -1}, {1, 60, 120, 1},
      {0, 5, 7, 0}, {1, 1, 0, -1},  {0, 0, 0, -1},
  };
  const Row limits[] = {
      {INT_MAX, 1, 1, INT_MAX},
      {-INT_MAX, 1, 1, -INT_MAX},
      {INT_MIN, 1, 1, -1},
      {INT_MAX, 2, 1, -1},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {INT_MIN, INT_MIN, INT_MIN, -1},
      {INT_MIN, -1, 1, -1},
      {INT_MIN, 1, -1, -1},
      {INT_MIN, 1, 2, -1073741824},
      {INT_MIN, INT_MIN, -INT_MAX, -1},
  };
  for (std::span<const Row> rows : {std::span<const Row>(rounding), std::span<const Row>(limits)})
    for (const Row& row : rows) {
      SCOPED_TRACE(testing::Message()
                   << row.number << "*" << row.numerator << "/" << row.denominator);
      EXPECT_EQ(MulDiv(row.number, row.numerator, row.denominator), row.result);
    }
}

// Pairs that are not two digits read as 0, or as HexToInt reads them.
TEST(ColorModel, HexTextPairs) {
  const struct {
    std::string_view text;
    int r, g, b;
  } rows[] = {{"ff8000", 255, 128, 0}, {"FFG000", 255, 0, 0}, {"$A$B$C", 10, 11, 12},
              {"1234", 0x12, 0x34, 0}, {"", 0, 0, 0},         {"12 4-6", 0x12, 0, 0}};
  for (const auto& row : rows) {
    int r = -1, g = -1, b = -1;
    HexTextToRGB(row.text, r, g, b);
    EXPECT_EQ(std::tie(r, g, b), std::tie(row.r, row.g, row.b)) << row.text;
  }
}

TEST(ColorModel, ColorToHexWidths) {
  EXPECT_EQ(ColorToHex(10, 10, 10), "0A0A0A");
  EXPECT_EQ(ColorToHex(256, 0, 0), "1000000");
  EXPECT_EQ(ColorToHex(-1, 0, 0), "FFFFFFFF0000");
}

// Properties over every colour: conversions stay in range, hue and
// saturation obey their zero rules, and the text reads back as the colour.
TEST(ColorModel, EveryColour) {
  int failures = 0;
  for (int r = 0; r < 256 && failures < 5; ++r) {
    for (int g = 0; g < 256; ++g) {
      for (int b = 0; b < 256; ++b) {
        int h, s, v;
        RGBToHSV(r, g, b, h, s, v);
        const bool grey = r == g && g == b;
        const bool ok = h >= 0 && h <= 359 && s >= 0 && s <= 255 && v >= 0 && v <= 255 &&
                        (s == 0) == grey && (!grey || h == 0);
        int r2, g2, b2;
        HSVToRGB(h, s, v, r2, g2, b2);
        const bool backOk = r2 >= 0 && r2 <= 255 && g2 >= 0 && g2 <= 255 && b2 >= 0 && b2 <= 255;
        const std::string hex = ColorToHex(r, g, b);
        int r3, g3, b3;
        HexTextToRGB(hex, r3, g3, b3);
        const bool hexOk = hex.size() == 6 && HexToInt(hex) == (r << 16 | g << 8 | b) && r3 == r &&
                           g3 == g && b3 == b;
        if (!ok || !backOk || !hexOk) {
          ADD_FAILURE() << r << "," << g << "," << b << " -> " << h << "," << s << "," << v << " "
                        << hex;
          ++failures;
        }
      }
    }
  }
}

}  // namespace
}  // namespace marnova
