#include "ui/FixedSizeWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace marnova {

namespace {

class TFixedSizeKeeper final : public QObject {
 public:
  explicit TFixedSizeKeeper(QWidget& window) : QObject(&window), FWindow(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Show && !FWatching && FWindow.windowHandle() != nullptr) {
      FWatching = true;
      FSize = FWindow.size();
      // Emitted while the request is still on its way to the compositor.
      connect(FWindow.windowHandle(), &QWindow::windowStateChanged, this,
              [this](Qt::WindowState state) {
                if (state == Qt::WindowMaximized && !FGiving) {
                  FGiving = true;
                  FWindow.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
                }
              });
    } else if (event->type() == QEvent::WindowStateChange && FGiving) {
      if (FWindow.windowState() & Qt::WindowMaximized) {
        FWindow.setWindowState(Qt::WindowNoState);
      } else {
        FGiving = false;
        FWindow.setFixedSize(FSize);
      }
    }
    return false;
  }

 private:
  QWidget& FWindow;
  QSize FSize;
  bool FWatching = false;
  bool FGiving = false;  // the maximised state is being given back
};

}  // namespace

void KeepFixedSize(QWidget& window) {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  new TFixedSizeKeeper(window);  // owned by the window
}

}  // namespace marnova
