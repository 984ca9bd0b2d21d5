#include "ui/widgets/TLMDLabel.h"

#include "ui/widgets/ColorConstants.h"

namespace marnova {

TLMDLabel::TLMDLabel(QWidget* parent)
    : TLMDBaseLabel(parent), FLightColor(clBtnHighlight), FShadowColor(clBtnShadow) {}

void TLMDLabel::setMultiLine(bool multiLine) {
  if (multiLine == FMultiLine) return;
  FMultiLine = multiLine;
  AdjustBounds();
  update();
}

void TLMDLabel::setFontFXAngle(int angle) {
  angle %= 360;
  if (angle < 0) angle += 360;
  if (angle == FAngle) return;
  FAngle = angle;
  AdjustBounds();
  update();
}

void TLMDLabel::setFontFXStyle(TLMD3DStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  update();
}

void TLMDLabel::setFontFXLightColor(TColor color) {
  if (color == FLightColor) return;
  FLightColor = color;
  if (FStyle != tdNone) update();
}

void TLMDLabel::setFontFXShadowColor(TColor color) {
  if (color == FShadowColor) return;
  FShadowColor = color;
  if (FStyle != tdNone) update();
}

void TLMDLabel::RotatedOriginPainted(QPoint origin) {
  FPosX = origin.x();
  FPosY = origin.y();
}

}  // namespace marnova
