#include "ui/widgets/TextWidgetAccessibility.h"

#include <QAccessibleWidget>

#include "ui/widgets/TLMDEdit.h"
#include "ui/widgets/TLMDSimpleLabel.h"

namespace marnova {
namespace {

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
        return widget()->accessibleName().isEmpty() ? Label()->PlainCaption()
                                                    : widget()->accessibleName();
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

class EditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit EditAccessible(TLMDEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text kind) const override {
    switch (kind) {
      case QAccessible::Name:
        return widget()->accessibleName().isEmpty() ? Edit()->Hint() : widget()->accessibleName();
      case QAccessible::Description:
        // Not the tool tip: that is the hint, which is the name already.
        return widget()->accessibleDescription();
      case QAccessible::Value:
        return Edit()->Text();
      default:
        return QAccessibleWidget::text(kind);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = !Edit()->ReadOnly();
    state.readOnly = Edit()->ReadOnly();
    state.selectableText = true;
    return state;
  }

  // QAccessibleTextInterface
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index == 0 && Edit()->SelLength() > 0) {
      *start = Edit()->SelStart();
      *end = Edit()->SelStart() + Edit()->SelLength();
    }
  }
  int selectionCount() const override { return Edit()->SelLength() > 0 ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { Edit()->SetSelection(Edit()->CaretPosition(), 0); }
  void setSelection(int, int start, int end) override {
    Edit()->SetSelection(std::min(start, end), std::abs(end - start));
  }
  int cursorPosition() const override { return Edit()->CaretPosition(); }
  void setCursorPosition(int position) override { Edit()->SetSelection(position, 0); }
  QString text(int start, int end) const override { return Edit()->Text().mid(start, end - start); }
  int characterCount() const override { return int(Edit()->Text().size()); }
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  TLMDEdit* Edit() const { return static_cast<TLMDEdit*>(widget()); }
};

// Qt keeps the interfaces it gets from a factory in its cache and deletes them.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String(TLMDEdit::staticMetaObject.className()))
    return new EditAccessible(static_cast<TLMDEdit*>(object));
  if (className == QLatin1String(TLMDBaseLabel::staticMetaObject.className()))
    return new LabelAccessible(static_cast<TLMDBaseLabel*>(object));
  return nullptr;
}

}  // namespace

void InstallTextWidgetAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace marnova
