#pragma once
// Helpers shared by the widget tests.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

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

}  // namespace marnova::test
