// Multi-line plain text editor: one font, one text colour, one background;
// long lines wrap at the editor's width. A paste (or drop) is taken whole,
// but a line it would make longer than kLongLine characters is broken there
// (LongLines.h), so that no paste holds up the window.
#pragma once

#include <QBasicTimer>
#include <QPlainTextEdit>

#include "colour/ColorModel.h"
#include "ui/widgets/ControlBase.h"
#include "ui/widgets/TLMDMemoStrings.h"

namespace marnova {

class TLMDMemo : public QPlainTextEdit, public TControlBase {
  Q_OBJECT
  Q_PROPERTY(int Color READ Color WRITE setColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
  Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)
  Q_PROPERTY(bool WordWrap READ WordWrap WRITE setWordWrap)
  Q_PROPERTY(bool WantReturns READ WantReturns WRITE setWantReturns)
  Q_PROPERTY(TScrollStyle ScrollBars READ ScrollBars WRITE setScrollBars)
  Q_PROPERTY(int CaretBlinkRate READ CaretBlinkRate WRITE setCaretBlinkRate)
  Q_PROPERTY(int CaretWidth READ CaretWidth WRITE setCaretWidth)
  Q_PROPERTY(TLMDBevelMode BevelMode READ BevelMode WRITE setBevelMode)
  Q_PROPERTY(
      TLMDStandardStyle BevelStandardStyle READ BevelStandardStyle WRITE setBevelStandardStyle)
  Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE setDoubleBuffered)
  Q_PROPERTY(QString Hint READ Hint WRITE setHint)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)

 public:
  enum TScrollStyle { skHorizontal, skVertical, skBoth, skAuto, skNone };
  Q_ENUM(TScrollStyle)
  enum TLMDBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
  Q_ENUM(TLMDBevelMode)
  enum TLMDStandardStyle { lsNone, lsSingle, lsLowered, lsRaised };
  Q_ENUM(TLMDStandardStyle)

  explicit TLMDMemo(QWidget* parent = nullptr);

  TLMDMemoStrings& Lines() { return FLines; }

  TColor Color() const { return FColor; }
  void setColor(TColor color);
  TColor FontColor() const { return FFontColor; }
  void setFontColor(TColor color);
  int FontHeight() const;
  void setFontHeight(int height);
  bool WordWrap() const { return FWordWrap; }
  void setWordWrap(bool wrap);
  bool WantReturns() const { return FWantReturns; }
  void setWantReturns(bool want) { FWantReturns = want; }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void setScrollBars(TScrollStyle style);
  int CaretBlinkRate() const { return FBlinkRate; }
  void setCaretBlinkRate(int milliseconds);
  int CaretWidth() const { return FCaretWidth; }
  void setCaretWidth(int pixels);
  TLMDBevelMode BevelMode() const { return FBevelMode; }
  void setBevelMode(TLMDBevelMode mode);
  TLMDStandardStyle BevelStandardStyle() const { return FStandardStyle; }
  void setBevelStandardStyle(TLMDStandardStyle style);
  // Painting is always buffered here; the switch is kept for the window
  // descriptions that set it.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void setDoubleBuffered(bool buffered) { FDoubleBuffered = buffered; }
  bool CaretShown() const { return hasFocus() && FCaretOn; }

 protected:
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  // Hands the document the font the description ended with.
  void DoLoaded() override;
  void ApplyColors();
  void ApplyFrame();
  void RestartBlink();

  TLMDMemoStrings FLines{*this};
  TColor FColor;
  TColor FFontColor;
  bool FWordWrap = true;
  bool FWantReturns = true;
  TScrollStyle FScrollBars = skNone;
  int FBlinkRate = 530;
  int FCaretWidth = 1;
  TLMDBevelMode FBevelMode = bmWindows;
  TLMDStandardStyle FStandardStyle = lsNone;
  bool FDoubleBuffered = false;
  bool FCaretOn = false;
  QBasicTimer FBlink;
};

}  // namespace marnova
