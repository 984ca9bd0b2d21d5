#include "ui/BoxWindow.h"

#include <QDialog>
#include <QRect>

#include "ui/FixedSizeWindow.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/TextFont.h"

namespace marnova {

void SetUpBoxWindow(QDialog& window) {
  window.setWindowFlags(Qt::Dialog | Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint);
  window.setFixedSize(398, 320);
  KeepFixedSize(window);
  window.setFont(FontWithHeight(window.font(), -11));
  window.setModal(true);
}

void CentreOver(QWidget& window, const QWidget& mainWindow) {
  const QRect main = mainWindow.frameGeometry();
  const QRect own = window.frameGeometry();
  PlaceWindow(window,
              {main.left() + (main.width() - own.width()) / 2,
               main.top() + (main.height() - own.height()) / 2},
              mainWindow.screen());
}

}  // namespace marnova
