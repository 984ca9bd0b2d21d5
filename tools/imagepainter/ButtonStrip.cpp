// The pick button, 29 x 31: a round grey button with an eyedropper, raised
// when idle and pressed in while a screen pick runs.
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "tools/imagepainter/Strips.h"
#include "tools/imagepainter/Style.h"

namespace marnova::paint {

namespace {

constexpr int kWidth = 29;
constexpr int kHeight = 31;

// The eyedropper lies along the diagonal from the lower left (tip) to the
// upper right (bulb); it is drawn along the x axis and then turned.
void PaintEyedropper(QPainter& painter, QPointF tip) {
  painter.save();
  painter.translate(tip);
  painter.rotate(-45.0);
  const QColor ink(0x1B, 0x2B, 0x45);
  painter.setPen(QPen(ink, 0.8));

  // Glass tube: a slim cyan body narrowing to the tip.
  QPainterPath tube;
  tube.moveTo(0.0, 0.0);
  tube.lineTo(3.2, -1.0);
  tube.lineTo(10.5, -1.5);
  tube.lineTo(10.5, 1.5);
  tube.lineTo(3.2, 1.0);
  tube.closeSubpath();
  QLinearGradient glass(0, -1.5, 0, 1.5);
  glass.setColorAt(0, QColor(0xB8, 0xF4, 0xFF));
  glass.setColorAt(1, QColor(0x1C, 0xB4, 0xD8));
  painter.setBrush(glass);
  painter.drawPath(tube);

  // Collar between glass and bulb.
  painter.setBrush(QColor(0x6E, 0x7A, 0x88));
  painter.drawRoundedRect(QRectF(10.2, -2.6, 2.4, 5.2), 0.6, 0.6);

  // Rubber bulb.
  QPainterPath bulb;
  bulb.addRoundedRect(QRectF(12.4, -2.9, 7.4, 5.8), 2.9, 2.9);
  QLinearGradient rubber(0, -2.9, 0, 2.9);
  rubber.setColorAt(0, QColor(0x5B, 0x8C, 0xF5));
  rubber.setColorAt(1, QColor(0x12, 0x36, 0xB0));
  painter.setBrush(rubber);
  painter.drawPath(bulb);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 120));
  painter.drawRoundedRect(QRectF(14.0, -2.0, 4.4, 1.2), 0.6, 0.6);
  painter.restore();
}

void PaintButton(QPainter& painter, int picture, bool pressed) {
  const QPointF centre(picture * kWidth + 14.5, 14.5);
  const double radius = 12.5;
  painter.save();
  painter.setClipRect(picture * kWidth, 0, kWidth, kHeight);
  painter.setPen(Qt::NoPen);
  if (!pressed) {
    // Raised: a soft shadow below and to the right.
    for (int spread = 3; spread >= 1; --spread) {
      painter.setBrush(QColor(40, 50, 65, 14 + 12 * (3 - spread)));
      painter.drawEllipse(centre + QPointF(0.6, 1.4), radius + spread * 0.7, radius + spread * 0.7);
    }
  }
  // Rim: thin and mid grey when raised, heavier and dark when sunk.
  painter.setBrush(QColor(pressed ? 0x5E : 0x9A, pressed ? 0x62 : 0x9E, pressed ? 0x68 : 0xA4));
  painter.drawEllipse(centre, radius, radius);
  const double face = pressed ? radius - 2.0 : radius - 1.0;
  QLinearGradient light(centre.x() - face, centre.y() - face, centre.x() + face, centre.y() + face);
  if (pressed) {
    light.setColorAt(0, QColor(0xA8, 0xA8, 0xA8));  // shaded from above: sunk in
    light.setColorAt(1, QColor(0xD0, 0xD0, 0xD0));
  } else {
    light.setColorAt(0, QColor(0xF7, 0xF7, 0xF7));  // lit from above: raised
    light.setColorAt(1, QColor(0xD3, 0xD3, 0xD3));
  }
  painter.setBrush(light);
  painter.drawEllipse(centre, face, face);
  if (pressed) {
    // Inner shadow along the upper left edge.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1.2));
    painter.drawArc(
        QRectF(centre.x() - face + 0.6, centre.y() - face + 0.6, 2 * face - 1.2, 2 * face - 1.2),
        45 * 16, 180 * 16);
    painter.setPen(Qt::NoPen);
  }
  // Pressed in, the picture on the face moves a pixel down and right.
  const double shift = pressed ? 1.0 : 0.0;
  PaintEyedropper(painter, QPointF(centre.x() - 7.6 + shift, centre.y() + 7.6 + shift));
  painter.restore();
}

}  // namespace

QImage PaintButtons(int scale) {
  QImage strip(kWidth * 2 * scale, kHeight * scale, QImage::Format_ARGB32_Premultiplied);
  strip.fill(QColor::fromRgb(kFace));
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(scale, scale);
  PaintButton(painter, 0, false);
  PaintButton(painter, 1, true);
  return strip;
}

}  // namespace marnova::paint
