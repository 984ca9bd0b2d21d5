// Contrast evaluation and the HSV conversions.
#include <benchmark/benchmark.h>

#include <cmath>

#include "colour/ColorModel.h"
#include "colour/Contrast.h"
#include "colour/WcagContrast.h"

namespace {

using namespace marnova;

// Sums with a whole-thousand spread and others, to keep the branches honest.
constexpr int kSums[][2] = {{128009, 2009},  {255000, 0}, {125553, 0},     {1456, 456},
                            {200000, 37123}, {5, 254995}, {100000, 99000}, {42, 43}};

void BM_EvaluateContrast(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const RGBTriple text{i & 0xFF, (i >> 3) & 0xFF, (i >> 5) & 0xFF};
    const RGBTriple back{(i * 7) & 0xFF, 0, 255};
    benchmark::DoNotOptimize(EvaluateContrast(text, back, true, true));
    ++i;
  }
}
BENCHMARK(BM_EvaluateContrast);

void BM_EvaluateContrastUndetermined(benchmark::State& state) {
  for (auto _ : state)
    benchmark::DoNotOptimize(EvaluateContrast({1, 2, 3}, {4, 5, 6}, false, true));
}
BENCHMARK(BM_EvaluateContrastUndetermined);

// The figures without the texts: brightness (emulated) and colour difference.
void BM_ContrastFiguresOnly(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const int r = i & 0xFF, g = (i >> 3) & 0xFF, b = (i >> 5) & 0xFF;
    benchmark::DoNotOptimize(BrightnessSumDifference(Brightness(r, g, b), Brightness(g, b, r)));
    benchmark::DoNotOptimize(std::abs(r - g) + std::abs(g - b) + std::abs(b - r));
    ++i;
  }
}
BENCHMARK(BM_ContrastFiguresOnly);

// `difference` over the sums, each pair hidden from the optimiser.
template <typename Difference>
void OverSums(benchmark::State& state, Difference difference) {
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& s = kSums[i++ % std::size(kSums)];
    int a = s[0], b = s[1];
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    benchmark::DoNotOptimize(difference(a, b));
  }
}

void BM_BrightnessDifferenceEmulated(benchmark::State& state) {
  OverSums(state, [](int a, int b) { return BrightnessSumDifference(a, b); });
}
BENCHMARK(BM_BrightnessDifferenceEmulated);

void BM_BrightnessDifferenceNativeLongDouble(benchmark::State& state) {
  OverSums(state, [](int a, int b) {
    const long double d =
        static_cast<long double>(a) / 1000.0L - static_cast<long double>(b) / 1000.0L;
    return static_cast<int>(std::fabs(d));
  });
}
BENCHMARK(BM_BrightnessDifferenceNativeLongDouble);

// The WCAG 2 ratio of one pair: two luminances from the table, one division.
void BM_WcagContrastRatio(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const RGBTriple text{i & 0xFF, (i >> 3) & 0xFF, (i >> 5) & 0xFF};
    const RGBTriple back{(i * 7) & 0xFF, (i * 13) & 0xFF, 255};
    benchmark::DoNotOptimize(WcagContrastRatio(text, back));
    ++i;
  }
}
BENCHMARK(BM_WcagContrastRatio);

// The whole hint as the main window sets it after every change.
void BM_WcagContrastHint(benchmark::State& state) {
  int i = 0;
  for (auto _ : state) {
    const RGBTriple text{i & 0xFF, (i >> 3) & 0xFF, (i >> 5) & 0xFF};
    benchmark::DoNotOptimize(WcagContrastHint(text, {255, 255, 255}, true, true));
    ++i;
  }
}
BENCHMARK(BM_WcagContrastHint);

void BM_RGBToHSV(benchmark::State& state) {
  int i = 0, h, s, v;
  for (auto _ : state) {
    RGBToHSV(i & 0xFF, (i >> 8) & 0xFF, (i >> 16) & 0xFF, h, s, v);
    benchmark::DoNotOptimize(h + s + v);
    i += 0x010203;
  }
}
BENCHMARK(BM_RGBToHSV);

void BM_HSVToRGB(benchmark::State& state) {
  int i = 0, r, g, b;
  for (auto _ : state) {
    HSVToRGB(i % 360, (i >> 3) & 0xFF, (i >> 5) & 0xFF, r, g, b);
    benchmark::DoNotOptimize(r + g + b);
    ++i;
  }
}
BENCHMARK(BM_HSVToRGB);

}  // namespace

BENCHMARK_MAIN();
