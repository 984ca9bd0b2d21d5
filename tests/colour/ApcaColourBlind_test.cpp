#include <gtest/gtest.h>

#include <cmath>

#include "colour/ApcaContrast.h"
#include "colour/ColourBlindContrast.h"
#include "colour/WcagContrast.h"
#include "tests/colour/ReferenceTable.h"

namespace marnova {
namespace {

// apca-w3 0.1.9's figures; the table holds pairs on both sides of each of
// its thresholds (soft black clamp, smallest step, low clip).
TEST(ApcaContrast, MatchesTheReferenceOnBothSidesOfEachThreshold) {
  const auto rows = ReadReferenceTable("apca.tsv");
  ASSERT_GT(rows.size(), 40u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0] + " on " + row[1]);
    const double lc = ApcaContrast(TripleOfHex(row[0]), TripleOfHex(row[1]));
    EXPECT_NEAR(lc, std::stod(row[2]), 1e-9);
    EXPECT_EQ(ApcaText(lc), row[3]);
  }
  EXPECT_EQ(ApcaText(71.05), "71,1");
  EXPECT_EQ(ApcaText(-71.05), "-71,1");
  EXPECT_EQ(ApcaText(0), "0,0");
}

// Ratios truncated as the WCAG figure is, on both sides of 3, 4.5 and 7;
// a tie names the first deficiency.
TEST(ColourBlindContrast, MatchesTheReferenceOnBothSidesOfEachThreshold) {
  const auto rows = ReadReferenceTable("colour_blind.tsv");
  ASSERT_GT(rows.size(), 40u);
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0] + " on " + row[1]);
    const ColourBlindContrast worst =
        WorstColourBlindContrast(TripleOfHex(row[0]), TripleOfHex(row[1]));
    EXPECT_EQ(DeficiencyName(worst.Worst), row[2]);
    EXPECT_EQ(WcagRatioText(worst.Ratio), row[3]);
  }
  // Red text on black passes WCAG AA for everyone else, not with protanopia.
  const ColourBlindContrast red = WorstColourBlindContrast({255, 0, 0}, {0, 0, 0});
  EXPECT_EQ(WcagRatioText(WcagContrastRatio({255, 0, 0}, {0, 0, 0})), "5,25:1");
  EXPECT_EQ(red.Worst, Deficiency::Protanopia);
  EXPECT_EQ(WcagRatioText(red.Ratio), "3,28:1");
}

}  // namespace
}  // namespace marnova
