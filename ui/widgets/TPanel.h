#pragma once
// A plain colour swatch: its client area filled with Color inside an
// optional frame. BorderStyle bsSingle gives a 1-pixel flat dark line when
// Ctl3D is false (a 2-pixel sunken frame when true); BevelOuter adds a
// 1-pixel bevel inside it. Changing any of them repaints.

#include "ui/widgets/TControl.h"

namespace marnova {

class TPanel : public TControl, public TFrameKinds {
  Q_OBJECT
  Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter)
  Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle)
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)

 public:
  explicit TPanel(QWidget* parent = nullptr);

  TBevelCut BevelOuter() const { return FBevelOuter; }
  void setBevelOuter(TBevelCut value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void setBorderStyle(TBorderStyle value);
  bool Ctl3D() const { return FCtl3D; }
  void setCtl3D(bool value);

  QAccessible::Role AccessibleRole() const override { return QAccessible::Graphic; }
  // The colour as six hexadecimal digits RRGGBB.
  QString AccessibleValue() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TBevelCut FBevelOuter = bvRaised;
  TBorderStyle FBorderStyle = bsNone;
  bool FCtl3D = true;
};

}  // namespace marnova
