// Pixel helpers for the text widget tests.
#pragma once

#include <QImage>
#include <QRect>
#include <QWidget>
#include <functional>

namespace marnova::test {

inline QImage Grab(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Bounding box of the pixels that satisfy `ink`.
inline QRect InkBox(const QImage& image, const std::function<bool(QRgb)>& ink) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (ink(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
  return box;
}

inline bool Dark(QRgb pixel) {
  return qGray(pixel) < 128;
}

inline int Count(const QImage& image, const std::function<bool(QRgb)>& ink) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += ink(image.pixel(x, y)) ? 1 : 0;
  return n;
}

}  // namespace marnova::test
