#include "colour/CssColour.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "colour/CssColourSpaces.h"
#include "colour/CssNamedColours.h"

namespace marnova {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StripPrefix(std::string_view& text, std::string_view prefix) {
  if (text.substr(0, prefix.size()) != prefix) return false;
  text.remove_prefix(prefix.size());
  return true;
}

// The value alone: blanks, the property and the ";" around it taken off.
std::string_view ValueOf(std::string_view text) {
  text = Trimmed(text);
  if (!text.empty() && text.back() == ';') text = Trimmed(text.substr(0, text.size() - 1));
  for (std::string_view property : {"background-color", "background", "color"}) {
    std::string_view rest = text;
    if (!StripPrefix(rest, property)) continue;
    rest = Trimmed(rest);
    if (StripPrefix(rest, ":")) return Trimmed(rest);
  }
  return text;
}

enum class Kind { Number, Percentage, Dimension, None, Ident, Comma, Slash };

struct Token {
  Kind Type = Kind::Comma;
  double Value = 0;
  std::string_view Unit;  // of a dimension, or an ident's text
  bool SpaceBefore = false;
};

// A CSS number at the start of `text`: sign, digits with an optional
// fraction (or a fraction alone), optional exponent. Its length, 0 if none.
std::size_t NumberLength(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    return i > start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const bool whole = digits();
  bool fraction = false;
  if (i + 1 < text.size() && text[i] == '.' && IsDigit(text[i + 1])) {
    ++i;
    fraction = digits();
  }
  if (!whole && !fraction) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      i = e;
      digits();
    }
  }
  return i;
}

// The arguments between a function's parentheses; empty on a character
// no colour function takes.
std::vector<Token> Tokens(std::string_view text) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (true) {
    bool space = false;
    while (i < text.size() && IsBlank(text[i])) {
      ++i;
      space = true;
    }
    if (i == text.size()) return tokens;
    Token token;
    token.SpaceBefore = space;
    const char c = text[i];
    if (c == ',' || c == '/') {
      token.Type = c == ',' ? Kind::Comma : Kind::Slash;
      ++i;
    } else if (const std::size_t length = NumberLength(text.substr(i)); length > 0) {
      std::string_view number = text.substr(i, length);
      if (number.front() == '+') number.remove_prefix(1);
      const auto [end, error] =
          std::from_chars(number.data(), number.data() + number.size(), token.Value);
      if (error != std::errc() || end != number.data() + number.size() ||
          !std::isfinite(token.Value))
        return {};
      i += length;
      token.Type = Kind::Number;
      if (i < text.size() && text[i] == '%') {
        token.Type = Kind::Percentage;
        ++i;
      } else if (i < text.size() && IsLetter(text[i])) {
        const std::size_t start = i;
        while (i < text.size() && IsLetter(text[i])) ++i;
        token.Type = Kind::Dimension;
        token.Unit = text.substr(start, i - start);
      }
    } else if (IsLetter(c)) {
      const std::size_t start = i;
      while (i < text.size() && (IsLetter(text[i]) || IsDigit(text[i]) || text[i] == '-')) ++i;
      token.Unit = text.substr(start, i - start);
      token.Type = token.Unit == "none" ? Kind::None : Kind::Ident;
    } else {
      return {};
    }
    tokens.push_back(token);
  }
}

// What each component may be.
constexpr unsigned kNumber = 1, kPercentage = 2, kAngle = 4, kNone = 8;

// A component read: its number, and the number 100% stands for.
std::optional<double> Component(const Token& token, unsigned accepts, double percentScale) {
  switch (token.Type) {
    case Kind::Number:
      if (accepts & kNumber) return token.Value;
      break;
    case Kind::Percentage:
      if (accepts & kPercentage) return token.Value / 100 * percentScale;
      break;
    case Kind::None:
      // A missing component counts as zero.
      if (accepts & kNone) return 0.0;
      break;
    case Kind::Dimension:
      if (!(accepts & kAngle)) break;
      if (token.Unit == "deg") return token.Value;
      if (token.Unit == "grad") return token.Value * 0.9;
      if (token.Unit == "rad") return token.Value * 180 / 3.14159265358979323846;
      if (token.Unit == "turn") return token.Value * 360;
      break;
    default:
      break;
  }
  return std::nullopt;
}

// One function's arguments: three components and an optional alpha, in the
// space-separated syntax (alpha after "/") or, where the function has one,
// the legacy comma-separated syntax.
struct Arguments {
  std::array<Token, 3> Values;
  std::optional<Token> Alpha;
  bool Legacy = false;
};

std::optional<Arguments> Split(const std::vector<Token>& tokens, bool legacyAllowed) {
  const auto isValue = [](const Token& t) {
    return t.Type != Kind::Comma && t.Type != Kind::Slash && t.Type != Kind::Ident;
  };
  Arguments args;
  const bool commas = tokens.size() >= 2 && tokens[1].Type == Kind::Comma;
  if (commas) {
    if (!legacyAllowed || (tokens.size() != 5 && tokens.size() != 7)) return std::nullopt;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const bool comma = i % 2 == 1;
      if (comma ? tokens[i].Type != Kind::Comma
                : !isValue(tokens[i]) || tokens[i].Type == Kind::None)
        return std::nullopt;
    }
    args.Values = {tokens[0], tokens[2], tokens[4]};
    if (tokens.size() == 7) args.Alpha = tokens[6];
    args.Legacy = true;
    return args;
  }
  if (tokens.size() != 3 && tokens.size() != 5) return std::nullopt;
  for (std::size_t i = 0; i < 3; ++i) {
    if (!isValue(tokens[i]) || (i > 0 && !tokens[i].SpaceBefore)) return std::nullopt;
    args.Values[i] = tokens[i];
  }
  if (tokens.size() == 5) {
    if (tokens[3].Type != Kind::Slash || !isValue(tokens[4])) return std::nullopt;
    args.Alpha = tokens[4];
  }
  return args;
}

std::optional<double> AlphaOf(const Arguments& args) {
  if (!args.Alpha) return 1.0;
  const std::optional<double> alpha =
      Component(*args.Alpha, kNumber | kPercentage | (args.Legacy ? 0 : kNone), 1);
  if (!alpha) return std::nullopt;
  return std::clamp(*alpha, 0.0, 1.0);
}

// The three components read by one rule each (`accepts` and the scale of
// 100%); nothing if one does not fit.
std::optional<Vec3> Components(const Arguments& args, const std::array<unsigned, 3>& accepts,
                               const Vec3& percentScale) {
  Vec3 out{};
  for (std::size_t i = 0; i < 3; ++i) {
    const std::optional<double> value = Component(args.Values[i], accepts[i], percentScale[i]);
    if (!value) return std::nullopt;
    out[i] = *value;
  }
  return out;
}

std::optional<CssColour> Finished(const Vec3& srgb, double alpha) {
  if (!std::all_of(srgb.begin(), srgb.end(), [](double c) { return std::isfinite(c); }))
    return std::nullopt;
  const Vec3 mapped = MapIntoSrgb(srgb);
  if (!std::all_of(mapped.begin(), mapped.end(), [](double c) { return std::isfinite(c); }))
    return std::nullopt;
  return CssColour{std::clamp(mapped[0], 0.0, 1.0), std::clamp(mapped[1], 0.0, 1.0),
                   std::clamp(mapped[2], 0.0, 1.0), alpha};
}

std::optional<CssColour> FromHex(std::string_view digits) {
  if (digits.size() != 3 && digits.size() != 4 && digits.size() != 6 && digits.size() != 8)
    return std::nullopt;
  std::array<int, 4> channels{0, 0, 0, 255};
  const bool shortForm = digits.size() <= 4;
  for (std::size_t i = 0; i < digits.size(); ++i)
    if (HexValue(digits[i]) < 0) return std::nullopt;
  for (std::size_t c = 0; c < digits.size() / (shortForm ? 1 : 2); ++c) {
    channels[c] = shortForm ? HexValue(digits[c]) * 17
                            : HexValue(digits[2 * c]) * 16 + HexValue(digits[2 * c + 1]);
  }
  return CssColour{channels[0] / 255.0, channels[1] / 255.0, channels[2] / 255.0,
                   channels[3] / 255.0};
}

constexpr unsigned kValue = kNumber | kPercentage | kNone;
constexpr unsigned kHue = kNumber | kAngle | kNone;

std::optional<CssColour> FromFunction(std::string_view name, std::string_view body) {
  std::vector<Token> tokens = Tokens(body);
  std::string_view space;
  if (name == "color") {
    if (tokens.empty() || tokens[0].Type != Kind::Ident) return std::nullopt;
    space = tokens[0].Unit;
    tokens.erase(tokens.begin());
    if (!tokens.empty() && !tokens[0].SpaceBefore) return std::nullopt;
  }
  const bool rgb = name == "rgb" || name == "rgba", hsl = name == "hsl" || name == "hsla";
  const std::optional<Arguments> args = Split(tokens, rgb || hsl);
  if (!args) return std::nullopt;
  const std::optional<double> alpha = AlphaOf(*args);
  if (!alpha) return std::nullopt;
  const auto clamped = [](double v, double high) { return std::clamp(v, 0.0, high); };

  if (rgb) {
    // Legacy commas take numbers or percentages, not a mixture.
    const unsigned kind = !args->Legacy                              ? kValue
                          : args->Values[0].Type == Kind::Percentage ? kPercentage
                                                                     : kNumber;
    const std::optional<Vec3> c = Components(*args, {kind, kind, kind}, {255, 255, 255});
    if (!c) return std::nullopt;
    return Finished(
        {clamped((*c)[0], 255) / 255, clamped((*c)[1], 255) / 255, clamped((*c)[2], 255) / 255},
        *alpha);
  }
  if (hsl || name == "hwb") {
    const unsigned part = hsl && args->Legacy ? kPercentage : kValue;
    const std::optional<Vec3> c =
        Components(*args, {args->Legacy ? kNumber | kAngle : kHue, part, part}, {0, 100, 100});
    if (!c) return std::nullopt;
    const double a = clamped((*c)[1], 100), b = clamped((*c)[2], 100);
    return Finished(hsl ? SrgbFromHsl((*c)[0], a, b) : SrgbFromHwb((*c)[0], a, b), *alpha);
  }
  if (name == "lab" || name == "oklab") {
    const bool ok = name == "oklab";
    const std::optional<Vec3> c =
        Components(*args, {kValue, kValue, kValue}, ok ? Vec3{1, 0.4, 0.4} : Vec3{100, 125, 125});
    if (!c) return std::nullopt;
    const Vec3 lab{clamped((*c)[0], ok ? 1 : 100), (*c)[1], (*c)[2]};
    return Finished(ok ? SrgbFromOklab(lab) : SrgbFromLab(lab), *alpha);
  }
  if (name == "lch" || name == "oklch") {
    const bool ok = name == "oklch";
    const std::optional<Vec3> c =
        Components(*args, {kValue, kValue, kHue}, ok ? Vec3{1, 0.4, 0} : Vec3{100, 150, 0});
    if (!c) return std::nullopt;
    const Vec3 lch{clamped((*c)[0], ok ? 1 : 100), std::max((*c)[1], 0.0), (*c)[2]};
    return Finished(ok ? SrgbFromOklch(lch) : SrgbFromLch(lch), *alpha);
  }
  if (name == "color" && !args->Legacy) {
    const std::optional<Vec3> c = Components(*args, {kValue, kValue, kValue}, {1, 1, 1});
    if (!c) return std::nullopt;
    if (space == "srgb") return Finished(*c, *alpha);
    if (space == "srgb-linear") return Finished(SrgbFromLinear(*c), *alpha);
    if (space == "display-p3") return Finished(SrgbFromDisplayP3(*c), *alpha);
  }
  return std::nullopt;
}

}  // namespace

std::optional<CssColour> ParseCssColour(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
  const std::string_view value = ValueOf(lower);
  if (value.empty()) return std::nullopt;
  if (value.front() == '#') return FromHex(value.substr(1));
  if (value.size() == 6 &&
      std::all_of(value.begin(), value.end(), [](char c) { return HexValue(c) >= 0; }))
    return FromHex(value);
  const std::size_t open = value.find('(');
  if (open == std::string_view::npos) {
    if (value == "transparent") return CssColour{0, 0, 0, 0};
    const std::optional<std::uint32_t> named = CssNamedColour(value);
    if (!named) return std::nullopt;
    return CssColour{(*named >> 16) / 255.0, ((*named >> 8) & 0xFF) / 255.0,
                     (*named & 0xFF) / 255.0, 1};
  }
  if (value.back() != ')') return std::nullopt;
  return FromFunction(value.substr(0, open), value.substr(open + 1, value.size() - open - 2));
}

RGBTriple CompositeOver(const CssColour& colour, RGBTriple backdrop) {
  const auto channel = [&](double c, int under) {
    const double mixed = colour.Alpha * c * 255 + (1 - colour.Alpha) * under;
    return std::clamp(static_cast<int>(std::floor(mixed + 0.5)), 0, 255);
  };
  return {channel(colour.Red, backdrop.Red), channel(colour.Green, backdrop.Green),
          channel(colour.Blue, backdrop.Blue)};
}

}  // namespace marnova
