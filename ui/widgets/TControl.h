#pragma once
// What every widget kind of the windows shares: a colour, a hint shown as a
// tool tip, a click event, and the loading phase.
//
// "While loading" (from construction until the owning window calls
// Loaded()), change events stay silent and automatic sizing waits. Code that
// creates a widget directly calls Loaded() right after constructing it.
//
// Assistive technology sees each control with the role and value it reports
// through AccessibleRole() and AccessibleValue(), and the hint as its name;
// a Pressable() control offers a press action that clicks it. A Decorative
// control (a background fill or plate) is left out of the tree that
// assistive technology reads.

#include <QAccessible>
#include <QString>
#include <QWidget>

#include "ui/widgets/ControlTypes.h"

namespace marnova {

class TControl : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int Color READ Color WRITE setColor)
  Q_PROPERTY(QString Hint READ Hint WRITE setHint)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)
  Q_PROPERTY(bool Decorative READ Decorative WRITE setDecorative)

 public:
  explicit TControl(QWidget* parent = nullptr, TColor color = clBtnFace);

  TColor Color() const { return FColor; }
  void setColor(TColor value);
  const QString& Hint() const { return FHint; }
  void setHint(const QString& value);
  bool ShowHint() const { return FShowHint; }
  void setShowHint(bool value);
  bool Decorative() const { return FDecorative; }
  void setDecorative(bool value) { FDecorative = value; }

  // Ends the loading phase. Idempotent.
  void Loaded();
  bool IsLoading() const { return FLoading; }

  virtual QAccessible::Role AccessibleRole() const { return QAccessible::Client; }
  // Text of the accessible value; empty when the control has none.
  virtual QString AccessibleValue() const { return {}; }
  virtual bool Pressable() const { return false; }

  // What a click does: raises OnClick.
  void Click() { Fire(OnClick, this); }
  // A left button press and release inside the control.
  TNotifyEvent OnClick;

 protected:
  // Runs once when loading ends, after IsLoading() has turned false.
  virtual void DoLoaded() {}
  // The colour to paint for `color`.
  QColor Resolve(TColor color) const { return ToQColor(color); }

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColor FColor;
  QString FHint;
  bool FShowHint = false;
  bool FDecorative = false;
  bool FLoading = true;
  bool FClickPending = false;
};

}  // namespace marnova
