#pragma once
// The plain widget kinds (sliders, pictures, fills, swatches): the shared
// part of ControlBase.h on a QWidget, with a colour.
//
// Assistive technology sees each control with the role and value it reports
// through AccessibleRole() and AccessibleValue(), and the hint as its name;
// a Pressable() control offers a press action that clicks it. A Decorative
// control (a background fill or plate) is left out of the tree that
// assistive technology reads.

#include <QAccessible>
#include <QString>
#include <QWidget>

#include "ui/widgets/ControlBase.h"

namespace marnova {

class TControl : public QWidget, public TControlBase {
  Q_OBJECT
  Q_PROPERTY(int Color READ Color WRITE setColor)
  Q_PROPERTY(QString Hint READ Hint WRITE setHint)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)
  Q_PROPERTY(bool Decorative READ Decorative WRITE setDecorative)

 public:
  explicit TControl(QWidget* parent = nullptr, TColor color = clBtnFace);

  TColor Color() const { return FColor; }
  void setColor(TColor value);
  bool Decorative() const { return FDecorative; }
  void setDecorative(bool value) { FDecorative = value; }

  virtual QAccessible::Role AccessibleRole() const { return QAccessible::Client; }
  // Text of the accessible value; empty when the control has none.
  virtual QString AccessibleValue() const { return {}; }
  virtual bool Pressable() const { return false; }

 protected:
  // The colour to paint for `color`.
  QColor Resolve(TColor color) const { return ToQColor(color); }

  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TColor FColor;
  bool FDecorative = false;
};

}  // namespace marnova
