// Colour text as style sheets write it. Properties: any text reads as
// nothing or as a colour with every channel and its alpha in 0..1; laid over
// any backdrop it gives bytes; the texts the panel copies out read back as
// that colour.
#include <cmath>
#include <cstdint>
#include <string_view>

#include "colour/CssColour.h"
#include "fuzz/FuzzCheck.h"

namespace {

using namespace marnova;

bool InUnit(double v) {
  return std::isfinite(v) && v >= 0 && v <= 1;
}
bool IsByte(int v) {
  return v >= 0 && v <= 255;
}

bool Same(RGBTriple a, RGBTriple b) {
  return a.Red == b.Red && a.Green == b.Green && a.Blue == b.Blue;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<CssColour> colour = ParseCssColour(text);
  if (!colour) return 0;
  FUZZ_CHECK(InUnit(colour->Red) && InUnit(colour->Green) && InUnit(colour->Blue) &&
             InUnit(colour->Alpha));
  const RGBTriple backdrop{size > 0 ? data[0] : 0, size > 1 ? data[1] : 255,
                           size > 2 ? data[2] : 7};
  const RGBTriple c = CompositeOver(*colour, backdrop);
  FUZZ_CHECK(IsByte(c.Red) && IsByte(c.Green) && IsByte(c.Blue));
  for (const std::string& copied : {CssHexText(c), CssRgbText(c), CssHslText(c)}) {
    const std::optional<CssColour> back = ParseCssColour(copied);
    FUZZ_CHECK(back && Same(CompositeOver(*back, {0, 0, 0}), c));
  }
  return 0;
}
