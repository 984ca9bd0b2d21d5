#include "colour/Contrast.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

namespace marnova {
namespace {

struct Pair {
  RGBTriple text, back;
  int brightness, colour;
  bool brightnessPasses, colourPasses;
};

const Pair kPairs[] = {
    {{255, 255, 255}, {0, 0, 0}, 255, 765, true, true},
    {{0, 0, 0}, {255, 255, 255}, 255, 765, true, true},
    {{255, 255, 0}, {255, 255, 255}, 29, 255, false, false},
    {{0, 0, 0}, {255, 255, 0}, 225, 510, true, true},
    {{255, 245, 0}, {0, 0, 0}, 220, 500, true, false},
    {{255, 246, 0}, {0, 0, 0}, 220, 501, true, true},
    {{255, 84, 0}, {0, 0, 0}, 125, 339, false, false},
    {{255, 85, 0}, {0, 0, 0}, 126, 340, true, false},
    {{2, 208, 29}, {0, 0, 0}, 126, 239, true, false},
    {{255, 255, 255}, {2, 190, 148}, 126, 425, true, false},
    {{0, 187, 160}, {1, 0, 15}, 125, 333, false, false},  // exact 126 comes out as 125
    {{1, 1, 5}, {0, 0, 4}, 0, 3, false, false},           // exact 1 comes out as 0
    {{255, 0, 0}, {0, 0, 255}, 47, 510, false, true},
    {{51, 102, 153}, {255, 255, 255}, 162, 459, true, false},
    {{128, 128, 128}, {128, 128, 128}, 0, 0, false, false},
};

TEST(Contrast, PairsBothWaysRound) {
  for (const Pair& p : kPairs) {
    for (bool swapped : {false, true}) {
      const RGBTriple text = swapped ? p.back : p.text;
      const RGBTriple back = swapped ? p.text : p.back;
      SCOPED_TRACE(testing::Message() << text.Red << "," << text.Green << "," << text.Blue << " on "
                                      << back.Red << "," << back.Green << "," << back.Blue);
      const ContrastResult r = EvaluateContrast(text, back, true, true);
      EXPECT_TRUE(r.Determined);
      EXPECT_EQ(r.BrightnessDifference, p.brightness);
      EXPECT_EQ(r.ColorDifference, p.colour);
      EXPECT_EQ(r.BrightnessPasses, p.brightnessPasses);
      EXPECT_EQ(r.ColorPasses, p.colourPasses);
      EXPECT_EQ(r.BrightnessText,
                "Differenza di Luminosit\xC3\xA0 = " + std::to_string(p.brightness));
      EXPECT_EQ(r.ColorText, "Differenza di Colore = " + std::to_string(p.colour));
    }
  }
}

TEST(Contrast, InvalidInputIsUndetermined) {
  const RGBTriple white{255, 255, 255}, black{0, 0, 0};
  for (auto [textValid, backValid] : {std::pair{false, true}, {true, false}, {false, false}}) {
    const ContrastResult r = EvaluateContrast(white, black, textValid, backValid);
    EXPECT_FALSE(r.Determined);
    EXPECT_EQ(r.BrightnessText, "Differenza di Luminosit\xC3\xA0 = ???");
    EXPECT_EQ(r.ColorText, "Differenza di Colore = ???");
  }
}

TEST(Contrast, BrightnessSums) {
  EXPECT_EQ(Brightness(255, 255, 255), 255000);
  EXPECT_EQ(Brightness(0, 187, 160), 128009);
  EXPECT_EQ(Brightness(1, 0, 15), 2009);
  EXPECT_EQ(Brightness(255, 84, 0), 125553);
}

// Which brightness sums some colour actually reaches.
std::vector<bool> ReachableSums() {
  std::vector<bool> reachable(255001, false);
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b) reachable[Brightness(r, g, b)] = true;
  return reachable;
}

// Pairs of reachable sums an exact k thousand apart; calls visit(a, b, k).
template <typename Visit>
void ForEachWholeDifference(const std::vector<bool>& reachable, Visit visit) {
  for (int a = 1000; a <= 255000; ++a) {
    if (!reachable[a]) continue;
    for (int b = a - 1000, k = 1; b >= 0; b -= 1000, ++k)
      if (reachable[b]) visit(a, b, k);
  }
}

// Only whole-thousand differences can lose one in the quotients' rounding:
// for some pair at every k up to 128, for none above.
TEST(Contrast, WholeDifferencesLoseOneUpTo128Only) {
  const std::vector<bool> reachable = ReachableSums();
  std::vector<bool> lostOne(256, false);
  int wrong = 0;
  ForEachWholeDifference(reachable, [&](int a, int b, int k) {
    const int d = BrightnessSumDifference(a, b);
    if (d == k - 1) {
      lostOne[k] = true;
    } else if (d != k && ++wrong < 5) {
      ADD_FAILURE() << a << " - " << b << " gave " << d;
    }
    if (BrightnessSumDifference(b, a) != d && ++wrong < 5) ADD_FAILURE() << "asymmetric " << a;
  });
  for (int k = 1; k <= 255; ++k) EXPECT_EQ(lostOne[k], k <= 128) << "k = " << k;
}

TEST(Contrast, OtherDifferencesAreTheTruncatedQuotient) {
  // A coarse sweep over every sum against a spread of partners.
  for (int a = 0; a <= 255000; ++a) {
    for (int b : {0, 1, 999, 1001, 2009, 127999, 254999}) {
      if ((a - b) % 1000 == 0) continue;
      ASSERT_EQ(BrightnessSumDifference(a, b), std::abs(a - b) / 1000) << a << " " << b;
    }
  }
}

#if LDBL_MANT_DIG == 64
// Where long double is the 80-bit extended format, the integer emulation must
// agree with the hardware for every whole-thousand pair.
TEST(Contrast, EmulationMatchesNativeExtended) {
  const std::vector<bool> reachable = ReachableSums();
  int mismatches = 0;
  ForEachWholeDifference(reachable, [&](int a, int b, int) {
    const long double qa = static_cast<long double>(a) / 1000.0L;
    const long double qb = static_cast<long double>(b) / 1000.0L;
    const int native = static_cast<int>(std::fabs(qa - qb));
    if (native != BrightnessSumDifference(a, b) && ++mismatches < 5)
      ADD_FAILURE() << a << " - " << b << ": native " << native;
  });
  EXPECT_EQ(mismatches, 0);
}
#endif

}  // namespace
}  // namespace marnova
