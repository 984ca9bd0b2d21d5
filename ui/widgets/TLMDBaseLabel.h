// What the text label and the link label share: a caption placed by one of
// nine alignments, auto-sizing to the text, an optional background, a font
// colour of its own and a 3-D text effect. While loading it does not size
// itself; assistive technology reads it by its caption.
#pragma once

#include <QWidget>

#include "colour/ColorModel.h"
#include "ui/widgets/ControlBase.h"

namespace marnova {

class TLMDBaseLabel : public QWidget, public TControlBase {
  Q_OBJECT
  Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
  Q_PROPERTY(TLMDAlignment Alignment READ Alignment WRITE setAlignment)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE setAutoSize)
  Q_PROPERTY(bool Transparent READ Transparent WRITE setTransparent)
  Q_PROPERTY(int Color READ Color WRITE setColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
  Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)
  Q_PROPERTY(bool ShowAccelChar READ ShowAccelChar WRITE setShowAccelChar)
  Q_PROPERTY(QString Hint READ Hint WRITE setHint)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)

 public:
  enum TLMDAlignment {
    agTopLeft,
    agTopCenter,
    agTopRight,
    agCenterLeft,
    agCenter,
    agCenterRight,
    agBottomLeft,
    agBottomCenter,
    agBottomRight
  };
  Q_ENUM(TLMDAlignment)
  // tdSunken: a light copy one pixel right and down (engraved); tdRaised: a
  // light copy up-left and a shadow copy down-right; tdShadow: a shadow copy
  // two pixels right and down.
  enum TLMD3DStyle { tdNone, tdSunken, tdRaised, tdShadow };
  Q_ENUM(TLMD3DStyle)

  explicit TLMDBaseLabel(QWidget* parent = nullptr);

  QString Caption() const { return FCaption; }
  void setCaption(const QString& caption);
  TLMDAlignment Alignment() const { return FAlignment; }
  void setAlignment(TLMDAlignment alignment);
  bool AutoSize() const { return FAutoSize; }
  void setAutoSize(bool autoSize);
  bool Transparent() const { return FTransparent; }
  void setTransparent(bool transparent);
  TColor Color() const { return FColor; }
  void setColor(TColor color);
  TColor FontColor() const { return FFontColor; }
  void setFontColor(TColor color);
  int FontHeight() const;
  void setFontHeight(int height);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void setShowAccelChar(bool show);

  // The caption as it reads, without accelerator marks.
  QString PlainCaption() const;
  QSize sizeHint() const override;

  // The 3-D effect in force (the two label kinds name it differently).
  struct TextEffect {
    TLMD3DStyle style = tdNone;
    TColor light = 0;
    TColor shadow = 0;
  };

 protected:
  virtual TextEffect Effect() const = 0;
  virtual int Angle() const { return 0; }
  virtual bool WrapsLines() const { return false; }
  // Ends loading: from now on the label sizes itself.
  void DoLoaded() override;
  QString UnnamedName() const override { return PlainCaption(); }
  // Where the rotated text started at the last paint.
  virtual void RotatedOriginPainted(QPoint) {}
  virtual void LeftPressed() {}

  // Re-sizes the label when auto-sizing applies (not while loading).
  void AdjustBounds();
  // Extent of the text without the 2 x 2 margin.
  QSize TextExtent() const;

  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int TextFlags() const;
  QString DrawnText() const;
  void PaintText(QPainter& painter, const QRect& area, const TextEffect& effect);
  void PaintRotated(QPainter& painter, const QRect& area, const TextEffect& effect);

  QString FCaption;
  TLMDAlignment FAlignment = agTopLeft;
  bool FAutoSize = true;
  bool FTransparent = true;
  TColor FColor;
  TColor FFontColor;
  bool FShowAccelChar = true;
};

}  // namespace marnova
