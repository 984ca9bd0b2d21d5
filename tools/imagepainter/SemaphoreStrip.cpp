// The traffic light, 61 x 23: three lamps side by side on the header
// plate's face; pass lights the right lamp green, undetermined the middle
// one amber, fail the left one red.
#include <QPainter>
#include <QRadialGradient>

#include "tools/imagepainter/Strips.h"
#include "tools/imagepainter/Style.h"

namespace marnova::paint {

namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 23;
constexpr QRgb kGreen = 0xFF0BE500;
constexpr QRgb kAmber = 0xFFFFD200;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kOff = 0xFF000000;

void PaintLamp(QPainter& painter, QPointF centre, QRgb lamp) {
  const bool lit = lamp != kOff;
  if (lit) {
    // A soft halo of the lamp's own colour around the bezel.
    QRadialGradient glow(centre, 11.5);
    QColor halo = QColor::fromRgb(lamp);
    halo.setAlpha(110);
    glow.setColorAt(0.70, halo);
    halo.setAlpha(0);
    glow.setColorAt(1.0, halo);
    painter.setBrush(glow);
    painter.drawEllipse(centre, 11.5, 11.5);
  }
  painter.setBrush(QColor(0x4B, 0x55, 0x60));  // bezel
  painter.drawEllipse(centre, 8.5, 8.5);
  painter.setBrush(QColor(0x1E, 0x24, 0x2B));
  painter.drawEllipse(centre, 7.5, 7.5);
  painter.setBrush(QColor::fromRgb(lamp));  // the lens: flat lamp colour
  painter.drawEllipse(centre, 6.5, 6.5);
  // A small gleam at the upper left, clear of the lens's middle.
  painter.setBrush(QColor(255, 255, 255, lit ? 170 : 90));
  painter.drawEllipse(centre + QPointF(-3.0, -3.2), 2.0, 1.4);
}

}  // namespace

QImage PaintSemaphore(int scale) {
  const QRgb states[3][3] = {{kOff, kOff, kGreen}, {kOff, kAmber, kOff}, {kRed, kOff, kOff}};
  QImage strip(kWidth * 3 * scale, kHeight * scale, QImage::Format_ARGB32_Premultiplied);
  strip.fill(QColor::fromRgb(kFace));
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(scale, scale);
  painter.setPen(Qt::NoPen);
  for (int picture = 0; picture < 3; ++picture) {
    // A halo must not spill into the neighbouring picture.
    painter.setClipRect(picture * kWidth, 0, kWidth, kHeight);
    for (int lamp = 0; lamp < 3; ++lamp)
      PaintLamp(painter, QPointF(picture * kWidth + 10.5 + 20.0 * lamp, 11.5),
                states[picture][lamp]);
  }
  return strip;
}

}  // namespace marnova::paint
