#pragma once
// The pointer grab of the real screen. Qt's QWidget::grabMouse() does two
// things: it makes the widget Qt's mouse grabber, so that events that Qt
// dispatches through a window go to it, and it asks the platform window
// for a pointer grab (on X11 an active grab with owner events off, so
// presses anywhere on the screen are sent to the grabbing window). Events
// sent straight to a widget skip the first, and the offscreen platform or
// an unmapped window has no second; an application event filter closes
// both gaps by handing every press aimed at another widget to the window.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/screen/ScreenAccess.h"

namespace marnova {

class TPressRedirector final : public QObject {
 public:
  // Acts only while the grab numbered `serial` is the one in force.
  TPressRedirector(QWidget& window, quint64 serial);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> FWindow;
  quint64 FSerial;
};

class TQtPointerGrab final : public TPointerGrab {
 public:
  explicit TQtPointerGrab(QWidget& window);
  ~TQtPointerGrab() override;
  bool HeldBySystem() const override { return FHeldBySystem; }

 private:
  quint64 FSerial;
  QPointer<QWidget> FWindow;
  TPressRedirector FRedirector;
  bool FHeldBySystem = false;
};

}  // namespace marnova
