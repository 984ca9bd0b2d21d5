// Text label: caption with alignment, auto-size, word wrap, rotated text and
// a 3-D text effect.
#pragma once

#include "ui/widgets/TLMDBaseLabel.h"

namespace marnova {

class TLMDLabel : public TLMDBaseLabel {
  Q_OBJECT
  Q_PROPERTY(bool MultiLine READ MultiLine WRITE setMultiLine)
  Q_PROPERTY(int FontFXAngle READ FontFXAngle WRITE setFontFXAngle)
  Q_PROPERTY(TLMD3DStyle FontFXStyle READ FontFXStyle WRITE setFontFXStyle)
  Q_PROPERTY(int FontFXLightColor READ FontFXLightColor WRITE setFontFXLightColor)
  Q_PROPERTY(int FontFXShadowColor READ FontFXShadowColor WRITE setFontFXShadowColor)
  Q_PROPERTY(int FontFXPosX READ FontFXPosX WRITE setFontFXPosX)
  Q_PROPERTY(int FontFXPosY READ FontFXPosY WRITE setFontFXPosY)

 public:
  explicit TLMDLabel(QWidget* parent = nullptr);

  bool MultiLine() const { return FMultiLine; }
  void setMultiLine(bool multiLine);
  // Degrees counter-clockwise, kept in [0, 360): 360 is stored as 0.
  int FontFXAngle() const { return FAngle; }
  void setFontFXAngle(int angle);
  TLMD3DStyle FontFXStyle() const { return FStyle; }
  void setFontFXStyle(TLMD3DStyle style);
  TColor FontFXLightColor() const { return FLightColor; }
  void setFontFXLightColor(TColor color);
  TColor FontFXShadowColor() const { return FShadowColor; }
  void setFontFXShadowColor(TColor color);
  // Origin of the rotated text, rewritten at every paint; a stored value
  // has no effect on where the text goes.
  int FontFXPosX() const { return FPosX; }
  void setFontFXPosX(int x) { FPosX = x; }
  int FontFXPosY() const { return FPosY; }
  void setFontFXPosY(int y) { FPosY = y; }

 protected:
  TextEffect Effect() const override { return {FStyle, FLightColor, FShadowColor}; }
  int Angle() const override { return FAngle; }
  bool WrapsLines() const override { return FMultiLine; }
  void RotatedOriginPainted(QPoint origin) override;

 private:
  bool FMultiLine = false;
  int FAngle = 0;
  TLMD3DStyle FStyle = tdNone;
  TColor FLightColor;
  TColor FShadowColor;
  int FPosX = 0;
  int FPosY = 0;
};

}  // namespace marnova
