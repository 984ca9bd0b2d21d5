#pragma once
// The frame of a slider or of its groove, drawn from the outside in: an
// optional 1-pixel line in clWindowFrame (BorderStyle bsSingle), the outer
// bevel, a flat border, the inner bevel and a flat space. A lowered bevel
// has its top and left edges in the shadow colour, a raised one in the light
// colour. Colour properties hold TColor values; widths below 0 count as 0.

#include <QObject>
#include <QRect>
#include <QRectF>
#include <algorithm>

#include "ui/widgets/ControlTypes.h"

class QPainter;

namespace marnova {

class TMMBevel : public QObject, public TFrameKinds {
  Q_OBJECT
  Q_PROPERTY(TBorderStyle BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY Changed)
  Q_PROPERTY(TBevelCut BevelOuter READ BevelOuter WRITE setBevelOuter NOTIFY Changed)
  Q_PROPERTY(int BevelOuterWidth READ BevelOuterWidth WRITE setBevelOuterWidth NOTIFY Changed)
  Q_PROPERTY(int OuterLightColor READ OuterLightColor WRITE setOuterLightColor NOTIFY Changed)
  Q_PROPERTY(int OuterShadowColor READ OuterShadowColor WRITE setOuterShadowColor NOTIFY Changed)
  Q_PROPERTY(int BorderWidth READ BorderWidth WRITE setBorderWidth NOTIFY Changed)
  Q_PROPERTY(int BorderColor READ BorderColor WRITE setBorderColor NOTIFY Changed)
  Q_PROPERTY(TBevelCut BevelInner READ BevelInner WRITE setBevelInner NOTIFY Changed)
  Q_PROPERTY(int BevelInnerWidth READ BevelInnerWidth WRITE setBevelInnerWidth NOTIFY Changed)
  Q_PROPERTY(int InnerLightColor READ InnerLightColor WRITE setInnerLightColor NOTIFY Changed)
  Q_PROPERTY(int InnerShadowColor READ InnerShadowColor WRITE setInnerShadowColor NOTIFY Changed)
  Q_PROPERTY(int BorderSpace READ BorderSpace WRITE setBorderSpace NOTIFY Changed)
  Q_PROPERTY(int BorderSpaceColor READ BorderSpaceColor WRITE setBorderSpaceColor NOTIFY Changed)

 public:
  explicit TMMBevel(QObject* parent = nullptr);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void setBorderStyle(TBorderStyle value) { Set(FBorderStyle, value); }
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void setBevelOuter(TBevelCut value) { Set(FBevelOuter, value); }
  int BevelOuterWidth() const { return FBevelOuterWidth; }
  void setBevelOuterWidth(int value) { Set(FBevelOuterWidth, std::max(0, value)); }
  int OuterLightColor() const { return FOuterLightColor; }
  void setOuterLightColor(int value) { Set(FOuterLightColor, value); }
  int OuterShadowColor() const { return FOuterShadowColor; }
  void setOuterShadowColor(int value) { Set(FOuterShadowColor, value); }
  int BorderWidth() const { return FBorderWidth; }
  void setBorderWidth(int value) { Set(FBorderWidth, std::max(0, value)); }
  int BorderColor() const { return FBorderColor; }
  void setBorderColor(int value) { Set(FBorderColor, value); }
  TBevelCut BevelInner() const { return FBevelInner; }
  void setBevelInner(TBevelCut value) { Set(FBevelInner, value); }
  int BevelInnerWidth() const { return FBevelInnerWidth; }
  void setBevelInnerWidth(int value) { Set(FBevelInnerWidth, std::max(0, value)); }
  int InnerLightColor() const { return FInnerLightColor; }
  void setInnerLightColor(int value) { Set(FInnerLightColor, value); }
  int InnerShadowColor() const { return FInnerShadowColor; }
  void setInnerShadowColor(int value) { Set(FInnerShadowColor, value); }
  int BorderSpace() const { return FBorderSpace; }
  void setBorderSpace(int value) { Set(FBorderSpace, std::max(0, value)); }
  int BorderSpaceColor() const { return FBorderSpaceColor; }
  void setBorderSpaceColor(int value) { Set(FBorderSpaceColor, value); }

  // Width of the whole frame on each side.
  int TotalWidth() const;
  // Paints the frame just inside `rect` and returns the rectangle inside it
  // (fractional on a scaled device, see Frame3D.h).
  QRectF Paint(QPainter& painter, const QRect& rect) const;

 signals:
  // Any property changed value.
  void Changed();

 private:
  // Stores `value` and announces it when it differs.
  template <class T>
  void Set(T& field, T value) {
    if (value == field) return;
    field = value;
    emit Changed();
  }

  TBorderStyle FBorderStyle = bsNone;
  TBevelCut FBevelOuter = bvLowered;
  int FBevelOuterWidth = 1;
  int FOuterLightColor = clBtnHighlight;
  int FOuterShadowColor = clBtnShadow;
  int FBorderWidth = 0;
  int FBorderColor = clBtnFace;
  TBevelCut FBevelInner = bvNone;
  int FBevelInnerWidth = 1;
  int FInnerLightColor = clBtnHighlight;
  int FInnerShadowColor = clBtnShadow;
  int FBorderSpace = 0;
  int FBorderSpaceColor = clBtnFace;
};

}  // namespace marnova
