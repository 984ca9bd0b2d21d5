// What the text label and the link label share: a caption placed by one of
// nine alignments, auto-sizing to the text, an optional background, a font
// colour of its own, a 3-D text effect and the "while loading" rule.
#pragma once

#include <QWidget>
#include <functional>

#include "colour/ColorModel.h"

namespace marnova {

class TLMDBaseLabel : public QWidget {
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

  // Ends loading: from now on the label sizes itself.
  void Loaded();
  bool IsLoading() const { return FLoading; }

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
  QString Hint() const { return FHint; }
  void setHint(const QString& hint);
  bool ShowHint() const { return FShowHint; }
  void setShowHint(bool show);

  // The caption as it reads, without accelerator marks.
  QString PlainCaption() const;
  // What the tool tip and the accessible description show: the hint, and
  // for a link whatever else the user should know before clicking.
  virtual QString ShownHint() const { return FShowHint ? FHint : QString(); }

  QSize sizeHint() const override;

  // Click behaviour; raises OnClick. Mouse clicks and the accessible press
  // action come here.
  virtual void Click();

  std::function<void(QObject* Sender)> OnClick;

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
  void UpdateToolTip();
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
  QString FHint;
  bool FShowHint = true;
  bool FLoading = true;
  bool FPressed = false;
};

}  // namespace marnova
