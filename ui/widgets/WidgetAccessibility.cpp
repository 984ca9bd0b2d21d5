#include "ui/widgets/WidgetAccessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "ui/widgets/TControl.h"
#include "ui/widgets/TMMCustomSlider.h"

namespace marnova {

namespace {

class TControlAccessible : public QAccessibleWidget {
 public:
  explicit TControlAccessible(TControl* control)
      : QAccessibleWidget(control, control->AccessibleRole()) {}

  QString text(QAccessible::Text t) const override {
    const auto* control = Control();
    switch (t) {
      case QAccessible::Value:
        return control->AccessibleValue();
      case QAccessible::Name:
        return control->accessibleName().isEmpty() ? control->Hint() : control->accessibleName();
      case QAccessible::Description:
        // Not the tool tip: that is the hint, which is the name already.
        return control->accessibleDescription();
      default:
        return QAccessibleWidget::text(t);
    }
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Control()->Pressable()) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && Control()->Pressable()) {
      if (Control()->isEnabled()) Control()->Click();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  TControl* Control() const { return static_cast<TControl*>(widget()); }
};

class TSliderAccessible : public TControlAccessible, public QAccessibleValueInterface {
 public:
  explicit TSliderAccessible(TMMCustomSlider* slider) : TControlAccessible(slider) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return TControlAccessible::interface_cast(t);
  }

  QVariant currentValue() const override { return Slider()->Position(); }
  void setCurrentValue(const QVariant& value) override { Slider()->setPosition(value.toInt()); }
  QVariant maximumValue() const override { return Slider()->MaxValue(); }
  QVariant minimumValue() const override { return Slider()->MinValue(); }
  QVariant minimumStepSize() const override { return Slider()->LineSize(); }

 private:
  TMMCustomSlider* Slider() const { return static_cast<TMMCustomSlider*>(widget()); }
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
  // Qt's accessibility cache takes ownership of the interfaces made here.
  if (auto* slider = qobject_cast<TMMCustomSlider*>(object)) return new TSliderAccessible(slider);
  if (auto* control = qobject_cast<TControl*>(object)) return new TControlAccessible(control);
  return nullptr;
}

}  // namespace

void InstallWidgetAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&ControlFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace marnova
