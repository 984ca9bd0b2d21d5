#include "platform/screen/PixelOps.h"

#include <QPainter>
#include <QPolygon>
#include <cstdlib>

namespace marnova {
namespace {

// Raster operations work only on a few formats, and on one with alpha the
// XOR would flip the alpha too; the magnifier is opaque, so use RGB32.
void MakeRasterOpCapable(QImage& image) {
  if (image.format() != QImage::Format_RGB32) image.convertTo(QImage::Format_RGB32);
}

// The pixels of the line from `from` towards `to`, end point left out:
// the classic integer line walk, so the set does not depend on how a
// paint engine rounds or caps its lines.
QPolygon LinePixels(QPoint from, QPoint to) {
  QPolygon points;
  const int dx = std::abs(to.x() - from.x());
  const int dy = -std::abs(to.y() - from.y());
  const int sx = from.x() < to.x() ? 1 : -1;
  const int sy = from.y() < to.y() ? 1 : -1;
  int error = dx + dy;
  QPoint p = from;
  while (p != to) {
    points << p;
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      p.rx() += sx;
    }
    if (twice <= dx) {
      error += dx;
      p.ry() += sy;
    }
  }
  return points;
}

}  // namespace

void ScaleReplicate(const QImage& source, QImage& target) {
  if (source.isNull() || target.isNull()) return;
  QPainter painter(&target);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(target.rect(), source);
}

void XorLine(QImage& image, QPoint from, QPoint to, QRgb pen) {
  if (image.isNull()) return;
  const QPolygon points = LinePixels(from, to);
  if (points.isEmpty()) return;
  MakeRasterOpCapable(image);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPen xorPen{QColor::fromRgb(pen)};
  xorPen.setWidth(1);
  xorPen.setCapStyle(Qt::SquareCap);  // a flat-capped point may draw nothing
  painter.setPen(xorPen);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.drawPoints(points);
}

void XorOutline(QImage& image, int x1, int y1, int x2, int y2, QRgb pen) {
  XorLine(image, {x1, y1}, {x2, y1}, pen);
  XorLine(image, {x2, y1}, {x2, y2}, pen);
  XorLine(image, {x2, y2}, {x1, y2}, pen);
  XorLine(image, {x1, y2}, {x1, y1}, pen);
}

QRgb PixelAt(const QImage& image, QPoint at) {
  return image.valid(at) ? image.pixel(at) : 0;
}

}  // namespace marnova
