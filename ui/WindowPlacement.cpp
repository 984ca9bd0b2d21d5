#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace marnova {

QPoint FitInside(const QRect& area, QPoint wanted, QSize size) {
  const auto fit = [](int wanted, int first, int extent, int own) {
    return std::max(first, std::min(wanted, first + extent - own));
  };
  return {fit(wanted.x(), area.left(), area.width(), size.width()),
          fit(wanted.y(), area.top(), area.height(), size.height())};
}

void PlaceWindow(QWidget& window, QPoint wanted, const QScreen* screen) {
  if (screen == nullptr) screen = QGuiApplication::screenAt(wanted);
  if (screen == nullptr) screen = window.screen();
  // Without a screen there is nothing to fit into. Before its first showing
  // the window's frame is not known yet, so its outer size is its own.
  if (screen != nullptr)
    wanted = FitInside(screen->availableGeometry(), wanted, window.frameGeometry().size());
  window.move(wanted);
}

}  // namespace marnova
