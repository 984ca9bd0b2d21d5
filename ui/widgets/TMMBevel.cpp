#include "ui/widgets/TMMBevel.h"

#include <QPainter>

#include "ui/widgets/Frame3D.h"

namespace marnova {

TMMBevel::TMMBevel(QObject* parent) : QObject(parent) {}

int TMMBevel::TotalWidth() const {
  return FBorderWidth + FBorderSpace + (FBevelOuter != bvNone ? FBevelOuterWidth : 0) +
         (FBevelInner != bvNone ? FBevelInnerWidth : 0) + (FBorderStyle == bsSingle ? 1 : 0);
}

namespace {

void PaintCut(QPainter& painter, QRectF& rect, TFrameKinds::TBevelCut cut, int width, TColor light,
              TColor shadow) {
  if (cut == TFrameKinds::bvNone) return;
  const QColor l = ToQColor(light), s = ToQColor(shadow);
  if (cut == TFrameKinds::bvLowered)
    DrawFrame3D(painter, rect, s, l, width);
  else
    DrawFrame3D(painter, rect, l, s, width);
}

}  // namespace

QRectF TMMBevel::Paint(QPainter& painter, const QRect& rect) const {
  QRectF r = rect;
  if (FBorderStyle == bsSingle) DrawFlatRing(painter, r, ToQColor(clWindowFrame), 1);
  PaintCut(painter, r, FBevelOuter, FBevelOuterWidth, FOuterLightColor, FOuterShadowColor);
  DrawFlatRing(painter, r, ToQColor(FBorderColor), FBorderWidth);
  PaintCut(painter, r, FBevelInner, FBevelInnerWidth, FInnerLightColor, FInnerShadowColor);
  DrawFlatRing(painter, r, ToQColor(FBorderSpaceColor), FBorderSpace);
  return r;
}

}  // namespace marnova
