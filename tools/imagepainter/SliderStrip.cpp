// The six slider thumbs, 23 x 11 each: hue, saturation and value, each
// followed by its blink-phase twin with black dots over the colours.
#include <QColor>
#include <algorithm>
#include <cmath>
#include <functional>

#include "tools/imagepainter/Strips.h"

namespace marnova::paint {

namespace {

constexpr int kWidth = 23;
constexpr int kHeight = 11;
// The colour area inside the black outline and the highlight/shadow lines.
constexpr int kFirstCol = 2;
constexpr int kLastCol = kWidth - 3;
constexpr int kFirstRow = 2;
constexpr int kLastRow = kHeight - 3;
constexpr int kSteps = kLastCol - kFirstCol + 1;  // 19 columns of colour

// Hue of a column (fractional between the 19 colour columns): red at the
// left to purple at the right.
QColor SpectrumColour(double column) {
  const double hue = 285.0 * std::clamp(column, 0.0, kSteps - 1.0) / (kSteps - 1);
  // Blues deepen towards dark blue before turning purple.
  const double value = hue < 200   ? 1.0
                       : hue < 250 ? 1.0 - (hue - 200) / 50 * 0.3
                                   : 0.7 + (hue - 250) / 35 * 0.15;
  return QColor::fromHsvF(float(hue / 360.0), 1.0f, float(value));
}

QRgb Hue(double column, double) {
  return SpectrumColour(column).rgb();
}

QRgb Saturation(double column, double row) {
  // Strong at the top row, white at the bottom row.
  const double white = std::clamp(row / (kLastRow - kFirstRow), 0.0, 1.0);
  const QColor c = SpectrumColour(column);
  auto mix = [white](int v) { return int(std::lround(v + (255 - v) * white)); };
  return qRgb(mix(c.red()), mix(c.green()), mix(c.blue()));
}

QRgb Value(double column, double) {
  // 19 even steps at every resolution: a step is a whole colour column.
  const int step = std::clamp(int(std::lround(column)), 0, kSteps - 1);
  const int grey = int(std::lround(255.0 * step / (kSteps - 1)));
  return qRgb(grey, grey, grey);
}

// The frame lines and the blink dots are laid out on the thumb's own pixel
// grid, so each is `scale` device pixels wide; the colours are taken at the
// centre of every device pixel, so the double-resolution thumb has twice
// as many hues and shades.
void PaintThumb(QImage& strip, int scale, int picture,
                const std::function<QRgb(double, double)>& colour, bool dotted) {
  const int x0 = picture * kWidth * scale;
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), shadow = qRgb(128, 128, 128);
  for (int dy = 0; dy < kHeight * scale; ++dy) {
    for (int dx = 0; dx < kWidth * scale; ++dx) {
      const int x = dx / scale, y = dy / scale;
      QRgb c;
      if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)
        c = black;
      else if (x == kWidth - 2 && y == 1)
        c = white;  // top-right corner of the inner frame belongs to the highlight
      else if (x == 1 && y == kHeight - 2)
        c = white;  // and so does its bottom-left corner
      else if (y == 1 || x == 1)
        c = white;
      else if (y == kHeight - 2 || x == kWidth - 2)
        c = shadow;
      else if (dotted && (x % 2) == (y % 2))
        c = black;
      else
        c = colour((dx + 0.5) / scale - 0.5 - kFirstCol, (dy + 0.5) / scale - 0.5 - kFirstRow);
      strip.setPixel(x0 + dx, dy, c);
    }
  }
}

}  // namespace

QImage PaintSliders(int scale) {
  QImage strip(kWidth * 6 * scale, kHeight * scale, QImage::Format_RGB32);
  const std::function<QRgb(double, double)> kinds[] = {Hue, Saturation, Value};
  for (int k = 0; k < 3; ++k) {
    PaintThumb(strip, scale, 2 * k, kinds[k], false);
    PaintThumb(strip, scale, 2 * k + 1, kinds[k], true);
  }
  return strip;
}

}  // namespace marnova::paint
