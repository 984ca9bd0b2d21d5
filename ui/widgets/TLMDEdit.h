// Single-line editor. Every typed character reaches OnKeyPress first, which
// may change or discard it; editing keys act when they go down, before their
// character, so a key-press filter cannot stop them.
#pragma once

#include <QBasicTimer>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <functional>

#include "colour/ColorModel.h"
#include "ui/widgets/ControlBase.h"

namespace marnova {

class TLMDEdit : public QWidget, public TControlBase {
  Q_OBJECT
  Q_PROPERTY(QString Text READ Text WRITE setText)
  Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
  Q_PROPERTY(TEditCharCase CharCase READ CharCase WRITE setCharCase)
  Q_PROPERTY(TAlignment Alignment READ Alignment WRITE setAlignment)
  Q_PROPERTY(int Color READ Color WRITE setColor)
  Q_PROPERTY(int FontColor READ FontColor WRITE setFontColor)
  Q_PROPERTY(int FontHeight READ FontHeight WRITE setFontHeight)
  Q_PROPERTY(int CaretBlinkRate READ CaretBlinkRate WRITE setCaretBlinkRate)
  Q_PROPERTY(int CaretWidth READ CaretWidth WRITE setCaretWidth)
  Q_PROPERTY(bool HideSelection READ HideSelection WRITE setHideSelection)
  Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE setReadOnly)
  Q_PROPERTY(TLMDBevelMode BevelMode READ BevelMode WRITE setBevelMode)
  Q_PROPERTY(QString Hint READ Hint WRITE setHint)
  Q_PROPERTY(bool ShowHint READ ShowHint WRITE setShowHint)

 public:
  enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
  Q_ENUM(TEditCharCase)
  enum TAlignment { taLeftJustify, taRightJustify, taCenter };
  Q_ENUM(TAlignment)
  // bmWindows and bmEdge: the usual 2-pixel sunken edit frame; bmStandard:
  // a 1-pixel frame; bmCustom: none.
  enum TLMDBevelMode { bmCustom, bmStandard, bmEdge, bmWindows };
  Q_ENUM(TLMDBevelMode)

  explicit TLMDEdit(QWidget* parent = nullptr);

  QString Text() const { return FText; }
  // A text different from the stored one is stored (in CharCase, cut to
  // MaxLength), the caret goes to the start and OnChange fires, even when
  // the stored text comes out the same; the same text does nothing.
  void setText(const QString& text);
  int MaxLength() const { return FMaxLength; }
  void setMaxLength(int maxLength);
  TEditCharCase CharCase() const { return FCharCase; }
  void setCharCase(TEditCharCase charCase);
  TAlignment Alignment() const { return FAlignment; }
  void setAlignment(TAlignment alignment);
  TColor Color() const { return FColor; }
  void setColor(TColor color);
  TColor FontColor() const { return FFontColor; }
  void setFontColor(TColor color);
  int FontHeight() const;
  void setFontHeight(int height);
  int CaretBlinkRate() const { return FBlinkRate; }
  void setCaretBlinkRate(int milliseconds);
  int CaretWidth() const { return FCaretWidth; }
  void setCaretWidth(int pixels);
  bool HideSelection() const { return FHideSelection; }
  void setHideSelection(bool hide);
  bool ReadOnly() const { return FReadOnly; }
  void setReadOnly(bool readOnly);
  TLMDBevelMode BevelMode() const { return FBevelMode; }
  void setBevelMode(TLMDBevelMode mode);

  int CaretPosition() const { return FCaret; }
  int SelStart() const { return std::min(FCaret, FAnchor); }
  int SelLength() const { return std::abs(FCaret - FAnchor); }
  QString SelText() const { return FText.mid(SelStart(), SelLength()); }
  // Selects [start, start + length); the caret goes to the end.
  void SetSelection(int start, int length);
  void SelectAll();
  void CopyToClipboard() const;
  void CutToClipboard();
  void PasteFromClipboard();
  // Whether the caret shows at this moment of its blink.
  bool CaretShown() const { return hasFocus() && FCaretOn; }

  // The editing menu of the right mouse button; the caller owns it.
  QMenu* CreateContextMenu();

  QSize sizeHint() const override;

  std::function<void(QObject* Sender)> OnChange;
  // The character is passed by reference; setting it to 0 discards it.
  std::function<void(QObject* Sender, QChar& Key)> OnKeyPress;
  // Sees the first line of a paste before it is inserted (by reference);
  // setting WholeField makes the text replace the whole field rather than
  // the selection. MaxLength applies as to any paste.
  std::function<void(QObject* Sender, QString& Text, bool& WholeField)> OnPaste;
  // Sees the editing menu before it opens; may add items of its own.
  std::function<void(QObject* Sender, QMenu& Menu)> OnContextPopup;
  // Sees every key as it goes down, before the editor acts on it; setting
  // Key to 0 consumes it.
  std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void changeEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Ends loading: from now on text changes raise OnChange.
  void DoLoaded() override { EnsureCaretVisible(); }
  // One typed character through the filter, the case rule and MaxLength.
  void TypeCharacter(QChar key, QChar low = QChar());
  QString Cased(QString text) const;
  bool Fits(int removed, int added) const;
  // Replaces the selection (or, in overwrite mode, the characters under the
  // caret) with `text`.
  void ReplaceSelection(const QString& text, bool overwrite);
  void DeleteSelectionOr(int direction);
  void MoveCaret(int position, bool extend);
  void ChangeText(const QString& text, int caret);
  void Changed();
  void RestartBlink();
  QRect TextArea() const;
  int BevelWidth() const;
  int TextLeft() const;
  int CaretX(int position) const;
  int PositionAt(int x) const;
  void EnsureCaretVisible();

  QString FText;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor;
  TColor FFontColor;
  int FBlinkRate = 530;
  int FCaretWidth = 1;
  bool FHideSelection = true;
  bool FReadOnly = false;
  TLMDBevelMode FBevelMode = bmWindows;

  int FCaret = 0;
  int FAnchor = 0;
  int FScroll = 0;
  bool FCaretOn = false;
  bool FSelecting = false;
  QBasicTimer FBlink;
};

}  // namespace marnova
