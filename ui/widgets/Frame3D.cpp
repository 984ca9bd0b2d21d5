#include "ui/widgets/Frame3D.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>

namespace marnova {

qreal LineWidth(const QPainter& painter) {
  const QPaintDevice* device = painter.device();
  const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
  return ratio > 1.0 ? 1.0 / ratio : 1.0;
}

void DrawFrame3D(QPainter& painter, QRectF& rect, const QColor& topLeft, const QColor& bottomRight,
                 int width) {
  const qreal line = LineWidth(painter);
  for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
    const qreal l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    const qreal w = rect.width(), h = rect.height();
    painter.fillRect(QRectF(l, t, w - line, line), topLeft);  // top, without top-right
    painter.fillRect(QRectF(l, t, line, h - line), topLeft);  // left, without bottom-left
    painter.fillRect(QRectF(r - line, t, line, h), bottomRight);
    painter.fillRect(QRectF(l, b - line, w, line), bottomRight);
    rect.adjust(line, line, -line, -line);
  }
}

void DrawFlatRing(QPainter& painter, QRectF& rect, const QColor& color, int width) {
  if (width <= 0 || rect.width() <= 0 || rect.height() <= 0) return;
  const qreal band = std::min(
      {width == 1 ? LineWidth(painter) : qreal(width), rect.width() / 2, rect.height() / 2});
  const qreal l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  painter.fillRect(QRectF(l, t, rect.width(), band), color);
  painter.fillRect(QRectF(l, b - band, rect.width(), band), color);
  painter.fillRect(QRectF(l, t, band, rect.height()), color);
  painter.fillRect(QRectF(r - band, t, band, rect.height()), color);
  rect.adjust(band, band, -band, -band);
}

void DrawFocusDots(QPainter& painter, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  QPolygon dots;
  dots.reserve(rect.width() + rect.height());
  // Walk the border once, clockwise, so that no pixel is inverted twice.
  int step = 0;
  auto visit = [&](int x, int y) {
    if (step++ % 2 == 0) dots.append(QPoint(x, y));
  };
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  for (int x = l; x <= r; ++x) visit(x, t);
  for (int y = t + 1; y <= b; ++y) visit(r, y);
  if (b > t)
    for (int x = r - 1; x >= l; --x) visit(x, b);
  if (r > l)
    for (int y = b - 1; y > t; --y) visit(l, y);
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QColor(Qt::white));
  painter.drawPoints(dots);
  painter.restore();
}

}  // namespace marnova
