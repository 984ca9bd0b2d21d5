#pragma once
// Helpers shared by the widget tests (and the slider benchmark).

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include "ui/widgets/TMMSlider.h"

namespace marnova::test {

// Sends a mouse event straight to `widget`, at `at` in its coordinates.
inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint at,
                      Qt::MouseButton button = Qt::LeftButton,
                      Qt::MouseButtons held = Qt::LeftButton) {
  const QPointF local(at);
  QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline QRgb PixelAt(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixel(x, y) | 0xFF000000u;
}

inline QRgb Opaque(QColor c) {
  return c.rgb() | 0xFF000000u;
}

inline constexpr TColor kFace = 0xFFEED3;
inline constexpr TColor kGroove = 0x8C5724;
inline constexpr TColor kThumb = 0x0000FF;

// A slider set up as the colour panel's: 25 x 114, range 0..255, bevel
// lowered 1 + border 5, groove 2 in a lowered 1-pixel bevel, thumb 23 x 11.
inline void SetUpFrameSlider(TMMSlider& s) {
  s.resize(25, 114);
  s.setMaxValue(255);
  s.setColor(kFace);
  s.setGrooveColor(kGroove);
  s.setGrooveSize(2);
  s.setThumbWidth(23);
  s.setThumbHeight(11);
  s.setThumbColor(kThumb);
  s.setThumbCursor(QCursor(crHandPoint));
  s.Bevel()->setBorderColor(kFace);
  s.Bevel()->setOuterLightColor(kGroove);
  s.Bevel()->setOuterShadowColor(kGroove);
  s.Groove()->setOuterShadowColor(clBlack);
  s.Groove()->setOuterLightColor(kGroove);
}

}  // namespace marnova::test
