// Single-line editor on Qt's line editor, which does the editing, selection,
// mouse, clipboard, scrolling, undo, input methods and accessibility. What
// this editor does differently: every typed character reaches OnKeyPress
// first, which may change or discard it; editing keys act when they go
// down, before their character, so a key-press filter cannot stop them;
// Insert switches the overwrite mode that all editors share; a paste must
// fit MaxLength whole; the caret inverts what lies beneath, CaretWidth
// pixels wide, blinking at CaretBlinkRate.
#pragma once

#include <QBasicTimer>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>
#include <functional>

#include "colour/ColorModel.h"
#include "ui/widgets/ControlBase.h"

namespace marnova {

class TLMDEdit : public QLineEdit, public TControlBase {
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

  QString Text() const { return text(); }
  // A text different from the stored one is stored (in CharCase, cut to
  // MaxLength), the caret goes to the start and OnChange fires, even when
  // the stored text comes out the same; the same text does nothing.
  void setText(const QString& text);
  int MaxLength() const { return FMaxLength; }
  void setMaxLength(int maxLength) { FMaxLength = std::max(0, maxLength); }
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
  bool ReadOnly() const { return isReadOnly(); }
  void setReadOnly(bool readOnly) { QLineEdit::setReadOnly(readOnly); }
  TLMDBevelMode BevelMode() const { return FBevelMode; }
  void setBevelMode(TLMDBevelMode mode);

  int CaretPosition() const { return cursorPosition(); }
  int SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }
  int SelLength() const { return int(selectedText().size()); }
  QString SelText() const { return selectedText(); }
  // Selects [start, start + length); the caret goes to the end.
  void SetSelection(int start, int length);
  void SelectAll() { selectAll(); }
  void CopyToClipboard() const { copy(); }
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
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // Ends loading: from now on text changes raise OnChange; Qt's editor takes
  // the font the description left.
  void DoLoaded() override;
  // Typed text through the filter, the case rule and MaxLength.
  void Type(const QString& text);
  QString Cased(QString text) const;
  // Replaces the selection (or, in overwrite mode, the characters under the
  // caret) with `text` when the result fits MaxLength.
  void Insert(const QString& text, bool overwrite);
  void Changed();
  void ApplyColors();
  void RestartBlink();
  int BevelWidth() const;
  // Where Qt's editor draws the text: as this editor always placed it.
  void PlaceText();

  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  TAlignment FAlignment = taLeftJustify;
  TColor FColor;
  TColor FFontColor;
  int FBlinkRate = 530;
  int FCaretWidth = 1;
  bool FHideSelection = true;
  TLMDBevelMode FBevelMode = bmWindows;
  bool FCaretOn = false;
  QBasicTimer FBlink;
};

}  // namespace marnova
