#include "ui/widgets/WidgetAccessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "ui/widgets/TControl.h"
#include "ui/widgets/TLMDSimpleLabel.h"
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
        return control->AccessibleName();
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

class LabelAccessible : public QAccessibleWidget {
 public:
  explicit LabelAccessible(TLMDBaseLabel* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}

  QAccessible::Role role() const override {
    return Link() ? QAccessible::Link : QAccessible::StaticText;
  }

  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name:
        return Label()->AccessibleName();
      case QAccessible::Description:
        return widget()->accessibleDescription().isEmpty() ? Label()->ShownHint()
                                                           : widget()->accessibleDescription();
      default:
        return QAccessibleWidget::text(kind);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    if (const TLMDSimpleLabel* link = Link()) {
      state.linked = true;
      state.traversed = link->Visited();
    }
    return state;
  }

  QStringList actionNames() const override {
    return Link() ? QStringList{pressAction()} : QStringList{};
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && Link() && widget()->isEnabled()) Label()->Click();
  }

 private:
  TLMDBaseLabel* Label() const { return static_cast<TLMDBaseLabel*>(widget()); }
  const TLMDSimpleLabel* Link() const {
    const auto* link = qobject_cast<const TLMDSimpleLabel*>(widget());
    return link && link->IsJumping() ? link : nullptr;
  }
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
  // Qt's accessibility cache takes ownership of the interfaces made here.
  if (auto* slider = qobject_cast<TMMCustomSlider*>(object)) return new TSliderAccessible(slider);
  if (auto* control = qobject_cast<TControl*>(object)) return new TControlAccessible(control);
  if (auto* label = qobject_cast<TLMDBaseLabel*>(object)) return new LabelAccessible(label);
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
