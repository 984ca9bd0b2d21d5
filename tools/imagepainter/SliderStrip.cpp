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

// Hue of a column: red at the left to purple at the right.
QColor SpectrumColour(int column) {
  const double hue = 285.0 * column / (kSteps - 1);
  // Blues deepen towards dark blue before turning purple.
  const double value = hue < 200   ? 1.0
                       : hue < 250 ? 1.0 - (hue - 200) / 50 * 0.3
                                   : 0.7 + (hue - 250) / 35 * 0.15;
  return QColor::fromHsvF(float(hue / 360.0), 1.0f, float(value));
}

QRgb Hue(int column, int) {
  return SpectrumColour(column).rgb();
}

QRgb Saturation(int column, int row) {
  // Strong at the top row, white at the bottom row.
  const double white = row / double(kLastRow - kFirstRow);
  const QColor c = SpectrumColour(column);
  auto mix = [white](int v) { return int(std::lround(v + (255 - v) * white)); };
  return qRgb(mix(c.red()), mix(c.green()), mix(c.blue()));
}

QRgb Value(int column, int) {
  const int grey = int(std::lround(255.0 * column / (kSteps - 1)));
  return qRgb(grey, grey, grey);
}

void PaintThumb(QImage& strip, int picture, const std::function<QRgb(int, int)>& colour,
                bool dotted) {
  const int x0 = picture * kWidth;
  const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), shadow = qRgb(128, 128, 128);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
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
        c = colour(x - kFirstCol, y - kFirstRow);
      strip.setPixel(x0 + x, y, c);
    }
  }
}

}  // namespace

QImage PaintSliders() {
  QImage strip(kWidth * 6, kHeight, QImage::Format_RGB32);
  const std::function<QRgb(int, int)> kinds[] = {Hue, Saturation, Value};
  for (int k = 0; k < 3; ++k) {
    PaintThumb(strip, 2 * k, kinds[k], false);
    PaintThumb(strip, 2 * k + 1, kinds[k], true);
  }
  return strip;
}

}  // namespace marnova::paint
