#include "ui/widgets/TControl.h"

#include <QMouseEvent>

namespace marnova {

TControl::TControl(QWidget* parent, TColor color)
    : QWidget(parent), TControlBase(*this, false), FColor(color) {}

void TControl::setColor(TColor value) {
  if (value == FColor) return;
  FColor = value;
  update();
}

void TControl::mousePressEvent(QMouseEvent* event) {
  ClickPressed(*event);
  QWidget::mousePressEvent(event);
}

void TControl::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = ClickReleased(*event);
  QWidget::mouseReleaseEvent(event);
  if (click) Click();
}

}  // namespace marnova
