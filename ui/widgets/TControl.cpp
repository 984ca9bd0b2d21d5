#include "ui/widgets/TControl.h"

#include <QMouseEvent>

#include "ui/widgets/WidgetAccessibility.h"

namespace marnova {

TControl::TControl(QWidget* parent, TColor color) : QWidget(parent), FColor(color) {
  InstallWidgetAccessibility();
}

void TControl::setColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  update();
}

void TControl::setHint(const QString& value) {
  FHint = value;
  setToolTip(FShowHint ? FHint : QString());
}

void TControl::setShowHint(bool value) {
  FShowHint = value;
  setToolTip(FShowHint ? FHint : QString());
}

void TControl::Loaded() {
  if (!FLoading) return;
  FLoading = false;
  DoLoaded();
}

void TControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) FClickPending = true;
  QWidget::mousePressEvent(event);
}

void TControl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const bool click = FClickPending && rect().contains(event->position().toPoint());
  FClickPending = false;
  QWidget::mouseReleaseEvent(event);
  if (click) Click();
}

}  // namespace marnova
