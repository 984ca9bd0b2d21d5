#include "ui/widgets/ContainerAccessible.h"

#include "ui/widgets/TControl.h"

namespace marnova {

TContainerAccessible::TContainerAccessible(QWidget* container, QAccessible::Role role)
    : QAccessibleWidget(container, role) {}

QList<QWidget*> TContainerAccessible::Children() const {
  QList<QWidget*> children;
  for (QObject* object : widget()->children()) {
    auto* child = qobject_cast<QWidget*>(object);
    if (child == nullptr || child->isWindow()) continue;
    if (const auto* control = qobject_cast<const TControl*>(child);
        control && control->Decorative())
      continue;
    children.append(child);
  }
  return children;
}

int TContainerAccessible::childCount() const {
  return int(Children().size());
}

QAccessibleInterface* TContainerAccessible::child(int index) const {
  const QList<QWidget*> children = Children();
  if (index < 0 || index >= children.size()) return nullptr;
  return QAccessible::queryAccessibleInterface(children.at(index));
}

int TContainerAccessible::indexOfChild(const QAccessibleInterface* child) const {
  if (child == nullptr) return -1;
  return int(Children().indexOf(qobject_cast<QWidget*>(child->object())));
}

}  // namespace marnova
