#include "colour/CssColourSpaces.h"

#include <algorithm>
#include <cmath>

namespace marnova {

namespace {

using Mat3 = std::array<Vec3, 3>;

// The matrices CSS Color 4 publishes (and its sample code uses), so that
// a colour converts to the same figures as in a browser.
constexpr Mat3 kLinearSrgbToXyz{{{0.41239079926595934, 0.357584339383878, 0.1804807884018343},
                                 {0.21263900587151027, 0.715168678767756, 0.07219231536073371},
                                 {0.01933081871559182, 0.11919477979462598, 0.9505321522496607}}};
constexpr Mat3 kXyzToLinearSrgb{{{3.2409699419045226, -1.537383177570094, -0.4986107602930034},
                                 {-0.9692436362808796, 1.8759675015077202, 0.04155505740717559},
                                 {0.05563007969699366, -0.20397695888897652, 1.0569715142428786}}};
constexpr Mat3 kLinearP3ToXyz{{{0.4865709486482162, 0.26566769316909306, 0.1982172852343625},
                               {0.2289745640697488, 0.6917385218365064, 0.079286914093745},
                               {0.0000000000000000, 0.04511338185890264, 1.043944368900976}}};
// Bradford adaptation of D50 (lab, lch) to D65.
constexpr Mat3 kD50ToD65{{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                          {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                          {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
constexpr Mat3 kXyzToLms{{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                          {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                          {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Mat3 kLmsToXyz{{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                          {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                          {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Mat3 kLmsToOklab{{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                            {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                            {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Mat3 kOklabToLms{{{1.0, 0.3963377773761749, 0.2158037573099136},
                            {1.0, -0.1055613458156586, -0.0638541728258133},
                            {1.0, -0.0894841775298119, -1.2914855480194092}}};
constexpr Vec3 kD50White{0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};

constexpr double kPi = 3.14159265358979323846;
constexpr double kJnd = 0.02;              // deltaEOK of a just noticeable difference
constexpr double kChromaEpsilon = 0.0001;  // where the bisection stops

Vec3 Times(const Mat3& m, const Vec3& v) {
  Vec3 out{};
  for (int i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
  return out;
}

// The sRGB transfer curve, extended to negative values by symmetry (the
// display-p3 curve is the same one).
double Encode(double v) {
  const double a = std::fabs(v);
  if (a > 0.0031308) return std::copysign(1.055 * std::pow(a, 1 / 2.4) - 0.055, v);
  return 12.92 * v;
}
double Decode(double v) {
  const double a = std::fabs(v);
  if (a <= 0.04045) return v / 12.92;
  return std::copysign(std::pow((a + 0.055) / 1.055, 2.4), v);
}

Vec3 Encoded(Vec3 v) {
  for (double& c : v) c = Encode(c);
  return v;
}
Vec3 Decoded(Vec3 v) {
  for (double& c : v) c = Decode(c);
  return v;
}

Vec3 LabFromLch(const Vec3& lch) {
  const double c = std::max(lch[1], 0.0);
  return {lch[0], c * std::cos(lch[2] * kPi / 180), c * std::sin(lch[2] * kPi / 180)};
}

Vec3 XyzFromOklab(const Vec3& oklab) {
  Vec3 lms = Times(kOklabToLms, oklab);
  for (double& c : lms) c = c * c * c;
  return Times(kLmsToXyz, lms);
}

Vec3 OklabFromSrgb(const Vec3& srgb) {
  Vec3 lms = Times(kXyzToLms, Times(kLinearSrgbToXyz, Decoded(srgb)));
  for (double& c : lms) c = std::cbrt(c);
  return Times(kLmsToOklab, lms);
}

Vec3 OklchFromSrgb(const Vec3& srgb) {
  const Vec3 lab = OklabFromSrgb(srgb);
  // Below this the hue is noise: the colour is grey.
  constexpr double kAchromatic = 0.8 / 100000;
  if (std::fabs(lab[1]) < kAchromatic && std::fabs(lab[2]) < kAchromatic) return {lab[0], 0, 0};
  double hue = std::atan2(lab[2], lab[1]) * 180 / kPi;
  hue = std::fmod(std::fmod(hue, 360) + 360, 360);
  return {lab[0], std::hypot(lab[1], lab[2]), hue};
}

bool InGamut(const Vec3& srgb) {
  return std::all_of(srgb.begin(), srgb.end(), [](double c) { return c >= 0 && c <= 1; });
}

Vec3 Clipped(Vec3 srgb) {
  for (double& c : srgb) c = std::clamp(c, 0.0, 1.0);
  return srgb;
}

double DeltaEOK(const Vec3& srgb, const Vec3& oklch) {
  const Vec3 a = OklabFromSrgb(srgb), b = LabFromLch(oklch);
  const double dl = a[0] - b[0], da = a[1] - b[1], db = a[2] - b[2];
  return std::sqrt(dl * dl + da * da + db * db);
}

}  // namespace

Vec3 SrgbFromLinear(const Vec3& linear) {
  return Encoded(linear);
}

Vec3 SrgbFromHsl(double hue, double saturation, double lightness) {
  double h = std::fmod(hue, 360);
  if (h < 0) h += 360;
  const double s = saturation / 100, l = lightness / 100;
  const auto f = [&](double n) {
    const double k = std::fmod(n + h / 30, 12);
    const double a = s * std::min(l, 1 - l);
    return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return {f(0), f(8), f(4)};
}

Vec3 SrgbFromHwb(double hue, double whiteness, double blackness) {
  const double w = whiteness / 100, b = blackness / 100;
  double s = 0, v = 0;
  if (w + b >= 1) {
    v = w / (w + b);
  } else {
    v = 1 - b;
    s = v == 0 ? 0 : 1 - w / v;
  }
  double h = std::fmod(hue, 360);
  if (h < 0) h += 360;
  const auto f = [&](double n) {
    const double k = std::fmod(n + h / 60, 6);
    return v - v * s * std::max(0.0, std::min({k, 4 - k, 1.0}));
  };
  return {f(5), f(3), f(1)};
}

Vec3 SrgbFromLab(const Vec3& lab) {
  // CIE 15.3 with the rational constants CSS Color 4 uses.
  constexpr double kEpsilon3 = 24.0 / 116, kKappa = 24389.0 / 27;
  const double fy = (lab[0] + 16) / 116, fx = lab[1] / 500 + fy, fz = fy - lab[2] / 200;
  const Vec3 xyz{(fx > kEpsilon3 ? std::pow(fx, 3) : (116 * fx - 16) / kKappa) * kD50White[0],
                 (lab[0] > 8 ? std::pow((lab[0] + 16) / 116, 3) : lab[0] / kKappa) * kD50White[1],
                 (fz > kEpsilon3 ? std::pow(fz, 3) : (116 * fz - 16) / kKappa) * kD50White[2]};
  return Encoded(Times(kXyzToLinearSrgb, Times(kD50ToD65, xyz)));
}

Vec3 SrgbFromLch(const Vec3& lch) {
  return SrgbFromLab(LabFromLch(lch));
}

Vec3 SrgbFromOklab(const Vec3& oklab) {
  return Encoded(Times(kXyzToLinearSrgb, XyzFromOklab(oklab)));
}

Vec3 SrgbFromOklch(const Vec3& oklch) {
  return SrgbFromOklab(LabFromLch(oklch));
}

Vec3 SrgbFromDisplayP3(const Vec3& p3) {
  return Encoded(Times(kXyzToLinearSrgb, Times(kLinearP3ToXyz, Decoded(p3))));
}

Vec3 MapIntoSrgb(const Vec3& srgb) {
  if (InGamut(srgb)) return srgb;
  const Vec3 origin = OklchFromSrgb(srgb);
  if (origin[0] >= 1) return {1, 1, 1};
  if (origin[0] <= 0) return {0, 0, 0};
  // Converted once more, the colour may land inside by rounding.
  const Vec3 direct = SrgbFromOklch(origin);
  if (InGamut(direct)) return direct;
  Vec3 current = origin;
  Vec3 clipped = Clipped(direct);
  if (DeltaEOK(clipped, current) < kJnd) return clipped;
  double low = 0, high = origin[1];
  bool lowInGamut = true;
  while (high - low > kChromaEpsilon) {
    const double chroma = (low + high) / 2;
    current[1] = chroma;
    const Vec3 candidate = SrgbFromOklch(current);
    if (lowInGamut && InGamut(candidate)) {
      low = chroma;
      continue;
    }
    clipped = Clipped(candidate);
    const double e = DeltaEOK(clipped, current);
    if (e < kJnd) {
      // Close enough to the edge of a noticeable difference: take it.
      if (kJnd - e < kChromaEpsilon) break;
      lowInGamut = false;
      low = chroma;
    } else {
      high = chroma;
    }
  }
  return clipped;
}

}  // namespace marnova
