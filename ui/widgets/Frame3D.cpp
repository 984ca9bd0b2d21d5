#include "ui/widgets/Frame3D.h"

#include <QPainter>
#include <QPolygon>

namespace marnova {

void DrawFrame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight,
                 int width) {
  for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.fillRect(QRect(l, t, rect.width() - 1, 1), topLeft);   // top, without top-right
    painter.fillRect(QRect(l, t, 1, rect.height() - 1), topLeft);  // left, without bottom-left
    painter.fillRect(QRect(r, t, 1, rect.height()), bottomRight);
    painter.fillRect(QRect(l, b, rect.width(), 1), bottomRight);
    rect.adjust(1, 1, -1, -1);
  }
}

void DrawFlatRing(QPainter& painter, QRect& rect, const QColor& color, int width) {
  for (int i = 0; i < width && rect.width() > 0 && rect.height() > 0; ++i) {
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    painter.fillRect(QRect(l, t, rect.width(), 1), color);
    painter.fillRect(QRect(l, b, rect.width(), 1), color);
    painter.fillRect(QRect(l, t, 1, rect.height()), color);
    painter.fillRect(QRect(r, t, 1, rect.height()), color);
    rect.adjust(1, 1, -1, -1);
  }
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
