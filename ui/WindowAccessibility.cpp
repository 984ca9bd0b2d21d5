#include "ui/WindowAccessibility.h"

#include "ui/FrameCmdHsvUnit.h"
#include "ui/MainUnit.h"
#include "ui/widgets/ContainerAccessible.h"
#include "ui/widgets/TLMDLabel.h"

namespace marnova {
namespace {

class TPanelAccessible : public TContainerAccessible {
 public:
  explicit TPanelAccessible(TFrameHsvCtrl* panel)
      : TContainerAccessible(panel, QAccessible::Grouping) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return static_cast<const TFrameHsvCtrl*>(widget())->LMDLabel8->PlainCaption();
    return TContainerAccessible::text(t);
  }
};

// Qt's accessibility cache takes ownership of the interfaces made here.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(TFrameHsvCtrl::staticMetaObject.className()))
    return new TPanelAccessible(static_cast<TFrameHsvCtrl*>(object));
  if (className == QLatin1String(TFormMain::staticMetaObject.className())) {
    auto* window = static_cast<TFormMain*>(object);
    return new TContainerAccessible(window,
                                    window->isWindow() ? QAccessible::Window : QAccessible::Client);
  }
  return nullptr;
}

}  // namespace

void InstallWindowAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace marnova
