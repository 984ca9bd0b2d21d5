#include "ui/BoxWindow.h"

#include <QDialog>
#include <QRect>
#include <QScreen>

#include "ui/widgets/TextFont.h"

namespace marnova {

void SetUpBoxWindow(QDialog& window) {
  window.setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.setFixedSize(398, 320);
  window.setFont(FontWithHeight(window.font(), -11));
  window.setModal(true);
}

void CentreOver(QWidget& window, const QWidget& mainWindow) {
  const QRect main = mainWindow.frameGeometry();
  const QRect own = window.frameGeometry();
  QPoint topLeft(main.left() + (main.width() - own.width()) / 2,
                 main.top() + (main.height() - own.height()) / 2);
  if (const QScreen* screen = mainWindow.screen()) {
    const QRect area = screen->availableGeometry();
    topLeft.setX(
        qBound(area.left(), topLeft.x(), qMax(area.left(), area.right() + 1 - own.width())));
    topLeft.setY(
        qBound(area.top(), topLeft.y(), qMax(area.top(), area.bottom() + 1 - own.height())));
  }
  window.move(topLeft);
}

}  // namespace marnova
