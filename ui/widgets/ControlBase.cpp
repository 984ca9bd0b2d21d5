#include "ui/widgets/ControlBase.h"

#include <QMouseEvent>
#include <QWidget>

#include "ui/widgets/WidgetAccessibility.h"

namespace marnova {

TControlBase::TControlBase(QWidget& widget, bool showHint, bool hintNames)
    : FWidget(widget), FShowHint(showHint), FHintNames(hintNames) {
  InstallWidgetAccessibility();
}

void TControlBase::setHint(const QString& value) {
  FHint = value;
  if (FHintNames) FWidget.setAccessibleName(value);
  UpdateToolTip();
}

void TControlBase::setShowHint(bool value) {
  FShowHint = value;
  UpdateToolTip();
}

void TControlBase::UpdateToolTip() {
  FWidget.setToolTip(ShownHint());
}

void TControlBase::Loaded() {
  if (!FLoading) return;
  FLoading = false;
  DoLoaded();
}

void TControlBase::Click() {
  Fire(OnClick, &FWidget);
}

QString TControlBase::AccessibleName() const {
  const QString name = FWidget.accessibleName();
  return name.isEmpty() ? UnnamedName() : name;
}

void TControlBase::ClickPressed(const QMouseEvent& event) {
  if (event.button() == Qt::LeftButton) FClickPending = true;
}

bool TControlBase::ClickReleased(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) return false;
  const bool click = FClickPending && FWidget.rect().contains(event.position().toPoint());
  FClickPending = false;
  return click;
}

}  // namespace marnova
