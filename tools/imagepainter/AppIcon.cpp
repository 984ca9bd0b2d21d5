#include "tools/imagepainter/AppIcon.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "tools/imagepainter/Style.h"

namespace marnova::paint {

namespace {

// The letter as an outline filling `box` (keeping its aspect).
QPainterPath Letter(const QRectF& box) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(100);
  font.setBold(true);
  return TextOutline(font, QStringLiteral("M"), box);
}

}  // namespace

QImage PaintAppIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  const double s = size;

  // Small sizes fill their square: a margin would cost whole pixels there.
  const double margin = size >= 48 ? s / 16 : 0;
  const QRectF square(margin, margin, s - 2 * margin, s - 2 * margin);
  QLinearGradient navy(square.topLeft(), square.bottomLeft());
  navy.setColorAt(0, QColor::fromRgb(kTitleTop).lighter(135));
  navy.setColorAt(1, QColor::fromRgb(kTitleBottom));
  painter.setBrush(navy);
  painter.drawRoundedRect(square, square.width() * 0.18, square.width() * 0.18);

  const double w = square.width();
  const QRectF letterBox(square.left() + w * 0.16, square.top() + w * 0.10, w * 0.68, w * 0.52);
  QLinearGradient yellow(letterBox.topLeft(), letterBox.bottomLeft());
  yellow.setColorAt(0, QColor(0xFF, 0xE8, 0x3A));
  yellow.setColorAt(1, QColor(0xFF, 0xC4, 0x00));
  painter.setBrush(yellow);
  painter.drawPath(Letter(letterBox));

  // The traffic light: fail, undetermined, pass.
  const QColor lamps[] = {QColor(0xFF, 0x00, 0x00), QColor(0xFF, 0xD2, 0x00),
                          QColor(0x0B, 0xE5, 0x00)};
  const double radius = w * 0.095;
  for (int i = 0; i < 3; ++i) {
    const QPointF centre(square.left() + w * (0.25 + 0.25 * i), square.top() + w * 0.79);
    painter.setBrush(QColor(0x1E, 0x24, 0x2B));
    painter.drawEllipse(centre, radius + w * 0.025, radius + w * 0.025);
    painter.setBrush(lamps[i]);
    painter.drawEllipse(centre, radius, radius);
  }
  return icon;
}

}  // namespace marnova::paint
