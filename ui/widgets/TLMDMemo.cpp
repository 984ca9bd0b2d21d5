#include "ui/widgets/TLMDMemo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextOption>

#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/EditorOverwriteMode.h"
#include "ui/widgets/LongLines.h"
#include "ui/widgets/TextFont.h"

namespace marnova {

// Built without a parent and placed afterwards: the base lays out its empty
// text in the font it starts with, and a parent's font would be one more
// face to load that the described font replaces at once.
TLMDMemo::TLMDMemo(QWidget* parent)
    : TControlBase(*this, true, true), FColor(clWindow), FFontColor(clWindowText) {
  setParent(parent);
  // The caret is drawn here, with this editor's own width and blink rate.
  setCursorWidth(0);
  setTabChangesFocus(true);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setScrollBars(skNone);
  ApplyColors();
  ApplyFrame();
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] { RestartBlink(); });
}

void TLMDMemo::DoLoaded() {
  document()->setDefaultFont(font());
}

void TLMDMemo::changeEvent(QEvent* event) {
  // A description sets the font in steps (family, then height); laying the
  // text out at each step would load faces never drawn. Loaded() hands the
  // document the last one.
  if (IsLoading() && event->type() == QEvent::FontChange) {
    QAbstractScrollArea::changeEvent(event);
    return;
  }
  QPlainTextEdit::changeEvent(event);
}

void TLMDMemo::ApplyColors() {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ToQColor(FColor));
  colours.setColor(QPalette::Text, ToQColor(FFontColor));
  setPalette(colours);
  viewport()->update();
}

void TLMDMemo::setColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  ApplyColors();
}

void TLMDMemo::setFontColor(TColor color) {
  if (color == FFontColor) return;
  FFontColor = color;
  ApplyColors();
}

int TLMDMemo::FontHeight() const {
  return FontHeightOf(font());
}
void TLMDMemo::setFontHeight(int height) {
  setFont(FontWithHeight(font(), height));
}

void TLMDMemo::setWordWrap(bool wrap) {
  FWordWrap = wrap;
  setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TLMDMemo::setScrollBars(TScrollStyle style) {
  FScrollBars = style;
  const auto policy = [style](bool named) {
    if (style == skAuto) return Qt::ScrollBarAsNeeded;
    return named ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  };
  setHorizontalScrollBarPolicy(policy(style == skHorizontal || style == skBoth));
  setVerticalScrollBarPolicy(policy(style == skVertical || style == skBoth));
}

void TLMDMemo::setCaretBlinkRate(int milliseconds) {
  FBlinkRate = milliseconds;
  if (hasFocus()) RestartBlink();
}

void TLMDMemo::setCaretWidth(int pixels) {
  FCaretWidth = std::max(1, pixels);
  viewport()->update();
}

void TLMDMemo::setBevelMode(TLMDBevelMode mode) {
  FBevelMode = mode;
  ApplyFrame();
}

void TLMDMemo::setBevelStandardStyle(TLMDStandardStyle style) {
  FStandardStyle = style;
  ApplyFrame();
}

void TLMDMemo::ApplyFrame() {
  switch (FBevelMode) {
    case bmWindows:
    case bmEdge:
      setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
      setLineWidth(2);
      return;
    case bmStandard:
      switch (FStandardStyle) {
        case lsSingle:
          setFrameStyle(QFrame::Box | QFrame::Plain);
          break;
        case lsLowered:
          setFrameStyle(QFrame::Panel | QFrame::Sunken);
          break;
        case lsRaised:
          setFrameStyle(QFrame::Panel | QFrame::Raised);
          break;
        case lsNone:
          setFrameStyle(QFrame::NoFrame);
          return;
      }
      setLineWidth(1);
      return;
    case bmCustom:
      setFrameStyle(QFrame::NoFrame);
      return;
  }
}

void TLMDMemo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
    SetEditorsOverwrite(!EditorsOverwrite());
    event->accept();
    return;
  }
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !FWantReturns) {
    event->ignore();
    return;
  }
  // The mode may have been toggled in another editor since the last key.
  setOverwriteMode(EditorsOverwrite());
  QPlainTextEdit::keyPressEvent(event);
}

void TLMDMemo::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) {
    QPlainTextEdit::insertFromMimeData(source);
    return;
  }
  const QTextCursor at = textCursor();
  const int start = std::min(at.position(), at.anchor());
  const QTextBlock block = document()->findBlock(start);
  // Inserted as typed text: the document fragment the base builds for a
  // paste costs twice as much for a large one.
  insertPlainText(BreakLongLines(source->text(), start - block.position()));
}

void TLMDMemo::RestartBlink() {
  FCaretOn = true;
  if (hasFocus() && FBlinkRate > 0)
    FBlink.start(FBlinkRate, this);
  else
    FBlink.stop();
  viewport()->update();
}

void TLMDMemo::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  RestartBlink();
}

void TLMDMemo::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  FBlink.stop();
  FCaretOn = false;
  viewport()->update();
}

void TLMDMemo::timerEvent(QTimerEvent* event) {
  if (event->timerId() != FBlink.timerId()) return QPlainTextEdit::timerEvent(event);
  FCaretOn = !FCaretOn;
  viewport()->update();
}

void TLMDMemo::paintEvent(QPaintEvent* event) {
  QPlainTextEdit::paintEvent(event);
  if (!CaretShown()) return;
  QPainter painter(viewport());
  QRect caret = cursorRect();
  caret.setWidth(FCaretWidth);
  // An inverting caret stays visible on any background colour.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(caret, Qt::white);
}

}  // namespace marnova
