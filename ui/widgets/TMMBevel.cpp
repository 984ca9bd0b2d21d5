#include "ui/widgets/TMMBevel.h"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/Frame3D.h"

namespace marnova {

TMMBevel::TMMBevel(QObject* parent) : QObject(parent) {}

void TMMBevel::setBorderStyle(TBorderStyle value) {
  const TBorderStyle next = value;
  if (next == FBorderStyle) return;
  FBorderStyle = next;
  emit Changed();
}

void TMMBevel::setBevelOuter(TBevelCut value) {
  const TBevelCut next = value;
  if (next == FBevelOuter) return;
  FBevelOuter = next;
  emit Changed();
}

void TMMBevel::setBevelOuterWidth(int value) {
  const int next = std::max(0, value);
  if (next == FBevelOuterWidth) return;
  FBevelOuterWidth = next;
  emit Changed();
}

void TMMBevel::setOuterLightColor(int value) {
  const int next = value;
  if (next == FOuterLightColor) return;
  FOuterLightColor = next;
  emit Changed();
}

void TMMBevel::setOuterShadowColor(int value) {
  const int next = value;
  if (next == FOuterShadowColor) return;
  FOuterShadowColor = next;
  emit Changed();
}

void TMMBevel::setBorderWidth(int value) {
  const int next = std::max(0, value);
  if (next == FBorderWidth) return;
  FBorderWidth = next;
  emit Changed();
}

void TMMBevel::setBorderColor(int value) {
  const int next = value;
  if (next == FBorderColor) return;
  FBorderColor = next;
  emit Changed();
}

void TMMBevel::setBevelInner(TBevelCut value) {
  const TBevelCut next = value;
  if (next == FBevelInner) return;
  FBevelInner = next;
  emit Changed();
}

void TMMBevel::setBevelInnerWidth(int value) {
  const int next = std::max(0, value);
  if (next == FBevelInnerWidth) return;
  FBevelInnerWidth = next;
  emit Changed();
}

void TMMBevel::setInnerLightColor(int value) {
  const int next = value;
  if (next == FInnerLightColor) return;
  FInnerLightColor = next;
  emit Changed();
}

void TMMBevel::setInnerShadowColor(int value) {
  const int next = value;
  if (next == FInnerShadowColor) return;
  FInnerShadowColor = next;
  emit Changed();
}

void TMMBevel::setBorderSpace(int value) {
  const int next = std::max(0, value);
  if (next == FBorderSpace) return;
  FBorderSpace = next;
  emit Changed();
}

void TMMBevel::setBorderSpaceColor(int value) {
  const int next = value;
  if (next == FBorderSpaceColor) return;
  FBorderSpaceColor = next;
  emit Changed();
}

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
