#pragma once
// Bitmap operations of the pick's magnifier: pixel-replicating scaling,
// XOR lines and pixel reads. They work on any QImage; images whose format
// cannot take raster operations are converted to Format_RGB32 first.
#include <QImage>
#include <QPoint>

namespace marnova {

// Scales `source` onto the whole of `target` by pixel replication (no
// smoothing, no blending): every target pixel takes the colour of the one
// source pixel it falls on. Scaling 5 to 33 gives each source pixel a
// block of 6 or 7 pixels in each direction, the centre one covering
// (17, 17). A null source or target leaves the target as it is.
void ScaleReplicate(const QImage& source, QImage& target);

// XORs the one-pixel line from `from` to `to` onto `image` with `pen`
// (0xRRGGBB; white inverts), leaving out the end point `to`, so that lines
// joined end to start invert every pixel of the path exactly once.
// Pixels outside the image are skipped.
void XorLine(QImage& image, QPoint from, QPoint to, QRgb pen);

// The closed outline of the rectangle with corners (x1, y1) and (x2, y2)
// drawn with four XorLine calls: to (x2, y1), (x2, y2), (x1, y2) and back
// to (x1, y1). Every pixel of the border is inverted exactly once.
void XorOutline(QImage& image, int x1, int y1, int x2, int y2, QRgb pen);

// Colour of the pixel at `at`, 0xAARRGGBB; 0 outside the image.
QRgb PixelAt(const QImage& image, QPoint at);

}  // namespace marnova
