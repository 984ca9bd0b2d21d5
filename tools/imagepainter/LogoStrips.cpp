#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "tools/imagepainter/LogoArt.h"
#include "tools/imagepainter/Strips.h"
#include "tools/imagepainter/Style.h"

namespace marnova::paint {

namespace {

// The word mark as an outline, scaled to fill `box` (keeping its aspect).
QPainterPath WordMark(const QRectF& box) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(100);
  font.setBold(true);
  font.setItalic(true);
  return TextOutline(font, QStringLiteral("Marnova"), box);
}

// A crescent sweeping up from the lower left to the upper right of `box`.
QPainterPath Swoosh(const QRectF& box) {
  auto at = [&box](double fx, double fy) {
    return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
  };
  QPainterPath path(at(0.00, 0.74));
  path.cubicTo(at(0.28, 1.12), at(0.76, 1.00), at(1.00, 0.02));
  path.cubicTo(at(0.70, 0.62), at(0.30, 0.84), at(0.00, 0.74));
  path.closeSubpath();
  return path;
}

}  // namespace

void PaintLogoArt(QPainter& painter, const QRect& plate) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, true);
  const QRectF area(plate.x(), plate.y(), plate.width(), plate.height());
  const double radius = plate.height() * 0.14;

  // White plate with a hairline grey rim inside its edge.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xB9, 0xC2, 0xCC));
  painter.drawRoundedRect(area, radius, radius);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), radius - 1, radius - 1);

  const QRectF inner = area.adjusted(area.width() * 0.07, area.height() * 0.10,
                                     -area.width() * 0.07, -area.height() * 0.10);
  const QPainterPath swoosh = Swoosh(inner.adjusted(0, inner.height() * 0.08, 0, 0));
  QLinearGradient blue(inner.bottomLeft(), inner.topRight());
  blue.setColorAt(0, QColor(0x0E, 0x3F, 0x9E));
  blue.setColorAt(1, QColor(0x4A, 0x9B, 0xEA));
  painter.setBrush(blue);
  painter.drawPath(swoosh);

  const QPainterPath mark =
      WordMark(inner.adjusted(0, -inner.height() * 0.02, 0, -inner.height() * 0.26));
  // Outline first, fill on top: the dark rim then lies outside the letters.
  const double outline = std::max(1.5, plate.height() * 0.045);
  painter.setPen(
      QPen(QColor(0x0B, 0x23, 0x5E), outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(mark);
  QLinearGradient yellow(0, mark.boundingRect().top(), 0, mark.boundingRect().bottom());
  yellow.setColorAt(0, QColor(0xFF, 0xE8, 0x3A));
  yellow.setColorAt(1, QColor(0xFF, 0xC4, 0x00));
  painter.setPen(Qt::NoPen);
  painter.setBrush(yellow);
  painter.drawPath(mark);
  painter.restore();
}

QImage PaintLogo(int scale) {
  // Flat background in the window's colour behind the picture's middle row:
  // drawn with forced transparency, all of it is the key and drops out.
  constexpr int kLogoWindowTop = 233;
  QImage canvas(193 * scale, 90 * scale, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(BackgroundAt(kLogoWindowTop + 45));
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(scale, scale);
  painter.setPen(Qt::NoPen);
  const QRect plate(QPoint(5, 4), QPoint(186, 83));
  for (int spread = 3; spread >= 1; --spread) {
    painter.setBrush(QColor(30, 45, 70, 18 + 12 * (3 - spread)));
    painter.drawRoundedRect(
        QRectF(plate).adjusted(-spread + 2, -spread + 2, spread + 1, spread + 2), 14 + spread,
        14 + spread);
  }
  PaintLogoArt(painter, plate);
  return canvas;
}

}  // namespace marnova::paint
