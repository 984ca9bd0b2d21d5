#include "ui/widgets/Frame3D.h"

#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace marnova {

qreal LineWidth(const QPainter& painter) {
  const qreal scale = std::abs(painter.deviceTransform().m11());
  return scale > 1.0 ? 1.0 / scale : 1.0;
}

QRectF DevicePixelsInside(const QPainter& painter, const QRectF& rect) {
  const QTransform t = painter.deviceTransform();
  if (t.type() > QTransform::TxScale || t.m11() <= 0 || t.m22() <= 0) return rect;
  // A hair's breadth of tolerance keeps exact edges where they are.
  constexpr qreal kSlack = 1e-6;
  const qreal left = std::ceil(rect.left() * t.m11() + t.dx() - kSlack);
  const qreal top = std::ceil(rect.top() * t.m22() + t.dy() - kSlack);
  const qreal right = std::floor(rect.right() * t.m11() + t.dx() + kSlack);
  const qreal bottom = std::floor(rect.bottom() * t.m22() + t.dy() + kSlack);
  return QRectF(QPointF((left - t.dx()) / t.m11(), (top - t.dy()) / t.m22()),
                QPointF((right - t.dx()) / t.m11(), (bottom - t.dy()) / t.m22()));
}

void DrawFrame3D(QPainter& painter, QRectF& rect, const QColor& topLeft, const QColor& bottomRight,
                 int width) {
  const qreal line = LineWidth(painter);
  for (int i = 0; i < width; ++i) {
    rect = DevicePixelsInside(painter, rect);
    if (rect.width() <= 0 || rect.height() <= 0) return;
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
  if (width <= 0) return;
  if (width == 1) rect = DevicePixelsInside(painter, rect);
  if (rect.width() <= 0 || rect.height() <= 0) return;
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
