#include "platform/screen/QtPointerGrab.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWindow>

namespace marnova {
namespace {

// Serial of the grab that currently holds the pointer; 0 when none does.
// A newer grab takes over from an older one, as a second capture does.
quint64 gActiveGrab = 0;
quint64 gLastSerial = 0;

bool IsPress(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
}

}  // namespace

TPressRedirector::TPressRedirector(QWidget& window, quint64 serial)
    : FWindow(&window), FSerial(serial) {}

bool TPressRedirector::eventFilter(QObject* watched, QEvent* event) {
  if (!IsPress(event->type()) || !watched->isWidgetType() || gActiveGrab != FSerial) return false;
  QWidget* window = FWindow.data();
  if (window == nullptr || watched == window) return false;
  const auto* press = static_cast<const QMouseEvent*>(event);
  const QPointF global = press->globalPosition();
  QMouseEvent redirected(event->type(), window->mapFromGlobal(global),
                         window->window()->mapFromGlobal(global), global, press->button(),
                         press->buttons(), press->modifiers(), press->pointingDevice());
  QCoreApplication::sendEvent(window, &redirected);
  // The window's handler may have ended the grab and destroyed this
  // filter; nothing of `this` is touched from here on.
  return true;
}

TQtPointerGrab::TQtPointerGrab(QWidget& window)
    : FSerial(++gLastSerial), FWindow(&window), FRedirector(window, FSerial) {
  gActiveGrab = FSerial;
  window.grabMouse();
  // grabMouse() does not say whether the window system took the pointer;
  // asking the platform window again does (a repeated grab is harmless).
  QWidget* native = window.window();
  if (QWindow* handle = native ? native->windowHandle() : nullptr) {
    FHeldBySystem = handle->setMouseGrabEnabled(true);
  }
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(&FRedirector);
}

TQtPointerGrab::~TQtPointerGrab() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(&FRedirector);
  if (gActiveGrab != FSerial) return;  // a newer grab holds the pointer now
  gActiveGrab = 0;
  QWidget* window = FWindow.data();
  if (window == nullptr) return;
  if (QWidget::mouseGrabber() == window) {
    window->releaseMouse();  // ends the window system's grab as well
  } else if (QWidget::mouseGrabber() == nullptr && FHeldBySystem) {
    // Qt's grab was dropped (the window was hidden); make sure the
    // system's grab goes too. Another widget's grab is left alone.
    QWidget* native = window->window();
    if (QWindow* handle = native ? native->windowHandle() : nullptr) {
      handle->setMouseGrabEnabled(false);
    }
  }
}

}  // namespace marnova
