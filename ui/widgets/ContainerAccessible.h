#pragma once
// How assistive technology sees a window or a panel that holds decorative
// controls (TControl::Decorative): as its own role and name, with only the
// controls that say something as its children.

#include <QAccessibleWidget>

namespace marnova {

class TContainerAccessible : public QAccessibleWidget {
 public:
  TContainerAccessible(QWidget* container, QAccessible::Role role);

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;

 private:
  QList<QWidget*> Children() const;
};

}  // namespace marnova
