#include "colour/WcagContrast.h"

#include <gtest/gtest.h>

#include <cmath>

namespace marnova {
namespace {

RGBTriple Hex(unsigned rgb) {
  return {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
          static_cast<int>(rgb & 0xFF)};
}

void ExpectLevels(const WcagLevels& l, const WcagLevels& want) {
  EXPECT_EQ(l.AANormal, want.AANormal);
  EXPECT_EQ(l.AALarge, want.AALarge);
  EXPECT_EQ(l.AAANormal, want.AAANormal);
  EXPECT_EQ(l.AAALarge, want.AAALarge);
}

// Figures as the W3C and WebAIM checkers publish them (truncated).
struct Published {
  unsigned text, back;
  const char* figure;
  WcagLevels levels;
};

const Published kPublished[] = {
    {0x000000, 0xFFFFFF, "21,00:1", {true, true, true, true}},
    {0x777777, 0xFFFFFF, "4,47:1", {false, true, false, false}},
    {0x767676, 0xFFFFFF, "4,54:1", {true, true, false, true}},
    {0x0000FF, 0xFFFFFF, "8,59:1", {true, true, true, true}},
    {0xFF0000, 0xFFFFFF, "3,99:1", {false, true, false, false}},  // 3.998, not 4.00
    {0x595959, 0xFFFFFF, "7,00:1", {true, true, true, true}},
    {0x5A5A5A, 0xFFFFFF, "6,89:1", {true, true, false, true}},
    {0x949494, 0xFFFFFF, "3,03:1", {false, true, false, false}},
    {0x959595, 0xFFFFFF, "2,99:1", {false, false, false, false}},
    {0x336699, 0xFFFFFF, "5,99:1", {true, true, false, true}},
    {0x00FF00, 0x000000, "15,30:1", {true, true, true, true}},
    {0xFF0000, 0x0000FF, "2,14:1", {false, false, false, false}},
    {0x808080, 0x808080, "1,00:1", {false, false, false, false}},
};

TEST(WcagContrast, PublishedFiguresBothWaysRound) {
  for (const Published& p : kPublished) {
    SCOPED_TRACE(testing::Message() << std::hex << p.text << " on " << p.back);
    const double ratio = WcagContrastRatio(Hex(p.text), Hex(p.back));
    EXPECT_EQ(WcagContrastRatio(Hex(p.back), Hex(p.text)), ratio);  // bit for bit
    EXPECT_EQ(WcagRatioText(ratio), p.figure);
    ExpectLevels(WcagVerdicts(ratio), p.levels);
  }
}

TEST(WcagContrast, LuminanceTable) {
  // sRGB's published linear values, and the weights on the primaries.
  const struct {
    int c;
    double linear;
  } kChannels[] = {
      {0, 0.0},  {10, 0.0030352698}, {11, 0.0033465358}, {119, 0.1844749945}, {128, 0.2158605001},
      {255, 1.0}};
  for (const auto& k : kChannels) EXPECT_NEAR(LinearChannel(k.c), k.linear, 1e-10) << k.c;
  EXPECT_DOUBLE_EQ(RelativeLuminance({255, 0, 0}), 0.2126);
  EXPECT_DOUBLE_EQ(RelativeLuminance({0, 255, 0}), 0.7152);
  EXPECT_DOUBLE_EQ(RelativeLuminance({0, 0, 255}), 0.0722);
  EXPECT_EQ(RelativeLuminance({255, 255, 255}), 1.0);
  EXPECT_EQ(WcagContrastRatio({255, 255, 255}, {0, 0, 0}), 21.0);
}

TEST(WcagContrast, ThresholdsFromBothSides) {
  const struct {
    double ratio;
    WcagLevels levels;
  } kRatios[] = {
      {2.9999, {false, false, false, false}},
      {std::nextafter(3.0, 0.0), {false, false, false, false}},
      {3.0, {false, true, false, false}},
      {4.4999, {false, true, false, false}},
      {std::nextafter(4.5, 0.0), {false, true, false, false}},
      {4.5, {true, true, false, true}},
      {6.9999, {true, true, false, true}},
      {std::nextafter(7.0, 0.0), {true, true, false, true}},
      {7.0, {true, true, true, true}},
  };
  for (const auto& k : kRatios) {
    SCOPED_TRACE(k.ratio);
    ExpectLevels(WcagVerdicts(k.ratio), k.levels);
  }
  EXPECT_EQ(WcagRatioText(std::nextafter(4.5, 0.0)), "4,49:1");
  EXPECT_EQ(WcagRatioText(4.5), "4,50:1");
}

// The figure passes a threshold exactly when the ratio does. Both sides are
// monotonic in the ratio, so they can disagree only next to a threshold:
// every double within 2^20 steps either side of each threshold is checked,
// which covers every ratio any pair of colours can produce. The real ratios
// of every colour on white and on black are checked as well.
TEST(WcagContrast, TruncatedFigureNeverPassesAFailingRatio) {
  const double kThresholds[] = {3.0, 4.5, 7.0};
  const auto agree = [&](double ratio) {
    const int shown = TruncatedHundredths(ratio);
    bool ok = shown <= ratio * 100 && ratio * 100 < shown + 1;
    for (double t : kThresholds) ok = ok && ((shown >= t * 100) == (ratio >= t));
    return ok;
  };
  int failures = 0;
  for (double t : kThresholds) {
    double below = t, above = t;
    for (int i = 0; i < (1 << 20); ++i) {
      below = std::nextafter(below, 0.0);
      if (!agree(below) && ++failures < 5) ADD_FAILURE() << "ratio " << below;
      if (!agree(above) && ++failures < 5) ADD_FAILURE() << "ratio " << above;
      above = std::nextafter(above, 100.0);
    }
  }
  for (int rgb = 0; rgb < (1 << 24); ++rgb) {
    for (unsigned back : {0xFFFFFFu, 0x000000u}) {
      const double ratio = WcagContrastRatio(Hex(rgb), Hex(back));
      if (!agree(ratio) && ++failures < 5) ADD_FAILURE() << rgb << " ratio " << ratio;
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(WcagContrast, HintLines) {
  EXPECT_EQ(WcagContrastHint(Hex(0x777777), Hex(0xFFFFFF), true, true),
            "Rapporto di contrasto WCAG 2: 4,47:1\n"
            "AA testo normale: non superato\n"
            "AA testo grande: superato\n"
            "AAA testo normale: non superato\n"
            "AAA testo grande: non superato\n"
            "Contrasto APCA: Lc 71,1\n"
            "Daltonismo, caso peggiore (deuteranopia): 4,47:1");
  for (auto [textValid, backValid] : {std::pair{false, true}, {true, false}, {false, false}})
    EXPECT_EQ(WcagContrastHint(Hex(0), Hex(0xFFFFFF), textValid, backValid),
              "Rapporto di contrasto WCAG 2: ???");
}

}  // namespace
}  // namespace marnova
