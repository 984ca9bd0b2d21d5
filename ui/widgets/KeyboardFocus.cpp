#include "ui/widgets/KeyboardFocus.h"

#include <QKeyEvent>
#include <QPainter>

namespace marnova {

bool IsEnterKey(const QKeyEvent& event) {
  return !event.isAutoRepeat() && (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter);
}

bool IsPressKey(const QKeyEvent& event) {
  return IsEnterKey(event) || (!event.isAutoRepeat() && event.key() == Qt::Key_Space);
}

void DrawFocusRect(QPainter& painter, const QRect& area) {
  painter.save();
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(area.adjusted(0, 0, -1, -1));
  painter.restore();
}

}  // namespace marnova
