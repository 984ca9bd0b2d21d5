#include "colour/CssColour.h"

#include <gtest/gtest.h>

#include "colour/ColorModel.h"
#include "tests/colour/ReferenceTable.h"

namespace marnova {
namespace {

std::string HexOf(RGBTriple c) {
  return ColorToHex(c.Red, c.Green, c.Blue);
}

// Every notation, alpha over a backdrop, colours outside sRGB and texts that
// are no colour, as the reference implementation reads them.
TEST(CssColour, ReadsTheReferenceTable) {
  const auto rows = ReadReferenceTable("css_colours.tsv");
  ASSERT_GT(rows.size(), 400u);
  int colours = 0, failures = 0;
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 3u);
    const std::optional<CssColour> parsed = ParseCssColour(row[0]);
    const std::string got = parsed ? HexOf(CompositeOver(*parsed, TripleOfHex(row[1]))) : "-";
    colours += row[2] != "-";
    if (got != row[2] && ++failures <= 20)
      ADD_FAILURE() << '"' << row[0] << "\" over " << row[1] << ": " << got << ", not " << row[2];
  }
  EXPECT_EQ(failures, 0);
  EXPECT_GT(colours, 350);
}

// What the panel copies out reads back as the same colour, in as few
// decimals as that takes.
TEST(CssColour, CopiedTextsReadBackAsTheSameColour) {
  EXPECT_EQ(CssHexText({10, 11, 12}), "#0A0B0C");
  EXPECT_EQ(CssRgbText({26, 43, 60}), "rgb(26 43 60)");
  EXPECT_EQ(CssHslText({255, 0, 0}), "hsl(0 100% 50%)");
  EXPECT_EQ(CssHslText({128, 128, 128}), "hsl(0 0% 50%)");  // 127.5 rounds up
  EXPECT_EQ(CssHslText({26, 43, 60}), "hsl(210 39.5% 16.9%)");
  int failures = 0;
  for (int rgb = 0; rgb < (1 << 24); rgb += rgb % 3 == 0 ? 4099 : 1) {
    if (rgb % 4099 > 2) continue;  // a spread, and each of its neighbours
    const RGBTriple c{rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF};
    for (const std::string& text : {CssHexText(c), CssRgbText(c), CssHslText(c)}) {
      const std::optional<CssColour> back = ParseCssColour(text);
      if ((!back || HexOf(CompositeOver(*back, {0, 0, 0})) != HexOf(c)) && ++failures <= 10)
        ADD_FAILURE() << text;
    }
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace marnova
