#include "ui/widgets/TLMDEdit.h"

#include <qdrawutil.h>
#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QTimerEvent>
#include <climits>
#include <memory>

#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/EditorOverwriteMode.h"
#include "ui/widgets/TextFont.h"

namespace marnova {
namespace {

constexpr int kPadding = 1;

// Caret steps never split a surrogate pair.
int NextPosition(const QString& text, int position) {
  if (position >= text.size()) return int(text.size());
  if (text[position].isHighSurrogate() && position + 1 < text.size()) return position + 2;
  return position + 1;
}

int PreviousPosition(const QString& text, int position) {
  if (position <= 0) return 0;
  if (position >= 2 && text[position - 1].isLowSurrogate()) return position - 2;
  return position - 1;
}

}  // namespace

TLMDEdit::TLMDEdit(QWidget* parent)
    : QWidget(parent), TControlBase(*this, true), FColor(clWindow), FFontColor(clWindowText) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::IBeamCursor);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_KeyCompression, false);
}

QString TLMDEdit::Cased(QString text) const {
  switch (FCharCase) {
    case ecUpperCase:
      return text.toUpper();
    case ecLowerCase:
      return text.toLower();
    case ecNormal:
      break;
  }
  return text;
}

void TLMDEdit::setText(const QString& text) {
  // Compared as given, before the case rule and the cut: a text that only
  // those would make equal still counts as a change.
  if (text == FText) return;
  QString stored = Cased(text);
  if (FMaxLength > 0 && stored.size() > FMaxLength) stored.truncate(FMaxLength);
  const QString old = FText;
  FText = stored;
  FCaret = FAnchor = 0;
  FScroll = 0;
  update();
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, old, FText);
    QAccessible::updateAccessibility(&event);
  }
  Changed();
}

void TLMDEdit::setMaxLength(int maxLength) {
  FMaxLength = std::max(0, maxLength);
}

void TLMDEdit::setCharCase(TEditCharCase charCase) {
  if (charCase == FCharCase) return;
  FCharCase = charCase;
  if (FCharCase != ecNormal) ChangeText(Cased(FText), FCaret);
}

void TLMDEdit::setAlignment(TAlignment alignment) {
  FAlignment = alignment;
  update();
}

void TLMDEdit::setColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  update();
}

void TLMDEdit::setFontColor(TColor color) {
  if (color == FFontColor) return;
  FFontColor = color;
  update();
}

int TLMDEdit::FontHeight() const {
  return FontHeightOf(font());
}
void TLMDEdit::setFontHeight(int height) {
  setFont(FontWithHeight(font(), height));
}

void TLMDEdit::setCaretBlinkRate(int milliseconds) {
  FBlinkRate = milliseconds;
  if (hasFocus()) RestartBlink();
}

void TLMDEdit::setCaretWidth(int pixels) {
  FCaretWidth = std::max(1, pixels);
  update();
}

void TLMDEdit::setHideSelection(bool hide) {
  FHideSelection = hide;
  update();
}

void TLMDEdit::setReadOnly(bool readOnly) {
  FReadOnly = readOnly;
  if (QAccessible::isActive()) {
    QAccessible::State changed;
    changed.readOnly = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
  }
}

void TLMDEdit::setBevelMode(TLMDBevelMode mode) {
  FBevelMode = mode;
  update();
}

void TLMDEdit::SetSelection(int start, int length) {
  start = std::clamp(start, 0, int(FText.size()));
  const int end = std::clamp(start + std::max(0, length), 0, int(FText.size()));
  FAnchor = start;
  MoveCaret(end, true);
}

void TLMDEdit::SelectAll() {
  SetSelection(0, int(FText.size()));
}

void TLMDEdit::CopyToClipboard() const {
  if (SelLength() > 0) QGuiApplication::clipboard()->setText(SelText());
}

void TLMDEdit::CutToClipboard() {
  if (SelLength() == 0) return;
  CopyToClipboard();
  DeleteSelectionOr(0);
}

void TLMDEdit::PasteFromClipboard() {
  if (FReadOnly) return;
  // A single-line editor takes the clipboard's first line.
  QString text = QGuiApplication::clipboard()->text();
  const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineEnd >= 0) text.truncate(lineEnd);
  bool wholeField = false;
  if (OnPaste) OnPaste(this, text, wholeField);
  if (text.isEmpty()) return;
  if (wholeField) SelectAll();
  ReplaceSelection(Cased(text), false);
}

bool TLMDEdit::Fits(int removed, int added) const {
  return FMaxLength <= 0 || FText.size() - removed + added <= FMaxLength;
}

void TLMDEdit::ReplaceSelection(const QString& text, bool overwrite) {
  const int start = SelStart();
  int removed = SelLength();
  if (removed == 0 && overwrite) {
    int end = start;
    for (int i = 0; i < text.size() && end < FText.size(); ++i) end = NextPosition(FText, end);
    removed = end - start;
  }
  // Too long for MaxLength: dropped silently.
  if (!Fits(removed, int(text.size()))) return;
  ChangeText(FText.left(start) + text + FText.mid(start + removed), start + int(text.size()));
}

void TLMDEdit::DeleteSelectionOr(int direction) {
  if (FReadOnly) return;
  int start = SelStart(), end = start + SelLength();
  if (start == end) {
    if (direction < 0) start = PreviousPosition(FText, FCaret);
    if (direction > 0) end = NextPosition(FText, FCaret);
  }
  if (start == end) return;
  ChangeText(FText.left(start) + FText.mid(end), start);
}

void TLMDEdit::ChangeText(const QString& text, int caret) {
  if (text == FText) {
    MoveCaret(caret, false);
    return;
  }
  const QString old = FText;
  FText = text;
  FCaret = FAnchor = std::clamp(caret, 0, int(FText.size()));
  EnsureCaretVisible();
  RestartBlink();
  update();
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, old, FText);
    QAccessible::updateAccessibility(&event);
  }
  Changed();
}

void TLMDEdit::Changed() {
  if (!IsLoading() && OnChange) OnChange(this);
}

void TLMDEdit::MoveCaret(int position, bool extend) {
  FCaret = std::clamp(position, 0, int(FText.size()));
  if (!extend) FAnchor = FCaret;
  EnsureCaretVisible();
  RestartBlink();
  update();
  if (QAccessible::isActive()) {
    QAccessibleTextCursorEvent event(this, FCaret);
    QAccessible::updateAccessibility(&event);
  }
}

void TLMDEdit::TypeCharacter(QChar key, QChar low) {
  const QChar typed = key;
  if (OnKeyPress) OnKeyPress(this, key);
  // Discarded (0) and control characters insert nothing.
  if (key.unicode() < 32 || FReadOnly) return;
  QString text(key);
  // The second half of a pair typed as one character follows its first half
  // unless the filter replaced it.
  if (!low.isNull() && key == typed) text += low;
  ReplaceSelection(Cased(text), EditorsOverwrite());
}

void TLMDEdit::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (OnKeyDown) {
    int down = event->key();
    OnKeyDown(this, down, modifiers);
    if (down == 0) return;
  }
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool alt = modifiers & Qt::AltModifier;
  const int key = event->key();
  switch (key) {
    case Qt::Key_Backspace:
      DeleteSelectionOr(-1);
      TypeCharacter(QChar(8));
      return;
    case Qt::Key_Delete:
      if (shift)
        CutToClipboard();
      else
        DeleteSelectionOr(1);
      return;
    case Qt::Key_Home:
      MoveCaret(0, shift);
      return;
    case Qt::Key_End:
      MoveCaret(int(FText.size()), shift);
      return;
    case Qt::Key_Left:
    case Qt::Key_Up:
      if (!shift && SelLength() > 0)
        MoveCaret(SelStart(), false);
      else
        MoveCaret(PreviousPosition(FText, FCaret), shift);
      return;
    case Qt::Key_Right:
    case Qt::Key_Down:
      if (!shift && SelLength() > 0)
        MoveCaret(SelStart() + SelLength(), false);
      else
        MoveCaret(NextPosition(FText, FCaret), shift);
      return;
    case Qt::Key_Insert:
      if (ctrl && !shift)
        CopyToClipboard();
      else if (shift && !ctrl)
        PasteFromClipboard();
      else if (!ctrl && !shift && !alt)
        SetEditorsOverwrite(!EditorsOverwrite());
      return;
    case Qt::Key_Escape:
      MoveCaret(FCaret, false);
      TypeCharacter(QChar(27));
      // Left to the window too, so a dialog still closes on Escape.
      event->ignore();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      TypeCharacter(QChar(13));
      // Left to the window too, so a default button still answers Enter.
      event->ignore();
      return;
    default:
      break;
  }
  if (ctrl && !alt) {
    switch (key) {
      case Qt::Key_A:
        SelectAll();
        break;
      case Qt::Key_C:
        CopyToClipboard();
        break;
      case Qt::Key_X:
        CutToClipboard();
        break;
      case Qt::Key_V:
        PasteFromClipboard();
        break;
      default:
        break;
    }
    // Ctrl with a letter types its control character (Ctrl+A is 1).
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
      TypeCharacter(QChar(key - Qt::Key_A + 1));
    else
      event->ignore();
    return;
  }
  const QString text = event->text();
  if (text.isEmpty()) {
    event->ignore();
    return;
  }
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size()) {
      TypeCharacter(text[i], text[i + 1]);
      ++i;
    } else {
      TypeCharacter(text[i]);
    }
  }
}

void TLMDEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString text = event->commitString();
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size()) {
      TypeCharacter(text[i], text[i + 1]);
      ++i;
    } else {
      TypeCharacter(text[i]);
    }
  }
  event->accept();
}

bool TLMDEdit::event(QEvent* event) {
  // The editor's own keys win over window shortcuts while it has the focus.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    switch (key->key()) {
      case Qt::Key_Backspace:
      case Qt::Key_Delete:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Insert:
        event->accept();
        return true;
      case Qt::Key_A:
      case Qt::Key_C:
      case Qt::Key_X:
      case Qt::Key_V:
        if (ctrl) {
          event->accept();
          return true;
        }
        break;
      default:
        break;
    }
    if (!ctrl && !key->text().isEmpty() && key->text()[0].unicode() >= 32) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

int TLMDEdit::BevelWidth() const {
  switch (FBevelMode) {
    case bmWindows:
    case bmEdge:
      return 2;
    case bmStandard:
      return 1;
    case bmCustom:
      break;
  }
  return 0;
}

QRect TLMDEdit::TextArea() const {
  const int bevel = BevelWidth();
  return rect().adjusted(bevel + kPadding, bevel, -bevel - kPadding, -bevel);
}

int TLMDEdit::TextLeft() const {
  const QRect area = TextArea();
  const int textWidth = QFontMetrics(font()).horizontalAdvance(FText);
  if (textWidth + FCaretWidth > area.width()) return area.left() - FScroll;
  switch (FAlignment) {
    case taRightJustify:
      return area.right() + 1 - textWidth - FCaretWidth;
    case taCenter:
      return area.left() + (area.width() - textWidth) / 2;
    case taLeftJustify:
      break;
  }
  return area.left();
}

int TLMDEdit::CaretX(int position) const {
  return TextLeft() + QFontMetrics(font()).horizontalAdvance(FText.left(position));
}

int TLMDEdit::PositionAt(int x) const {
  int best = 0, bestDistance = INT_MAX;
  for (int position = 0;; position = NextPosition(FText, position)) {
    const int distance = std::abs(CaretX(position) - x);
    if (distance < bestDistance) {
      best = position;
      bestDistance = distance;
    }
    if (position >= FText.size()) break;
  }
  return best;
}

void TLMDEdit::EnsureCaretVisible() {
  // A description sets the font in steps (family, then height); measuring
  // each step would load faces never drawn. Loaded() measures the last.
  if (IsLoading()) return;
  const QFontMetrics metrics(font());
  const int width = TextArea().width();
  const int textWidth = metrics.horizontalAdvance(FText) + FCaretWidth;
  if (textWidth <= width) {
    FScroll = 0;
    return;
  }
  const int caretX = metrics.horizontalAdvance(FText.left(FCaret));
  if (caretX < FScroll) FScroll = caretX;
  if (caretX + FCaretWidth > FScroll + width) FScroll = caretX + FCaretWidth - width;
  FScroll = std::clamp(FScroll, 0, textWidth - width);
}

void TLMDEdit::RestartBlink() {
  FCaretOn = true;
  if (hasFocus() && FBlinkRate > 0)
    FBlink.start(FBlinkRate, this);
  else
    FBlink.stop();
}

void TLMDEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int bevel = BevelWidth();
  if (bevel == 2)
    qDrawWinPanel(&painter, rect(), palette(), true);
  else if (bevel == 1) {
    painter.setPen(ToQColor(clWindowFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const QRect inner = rect().adjusted(bevel, bevel, -bevel, -bevel);
  painter.fillRect(inner, ToQColor(FColor));
  painter.setClipRect(inner);
  painter.setFont(font());

  const QFontMetrics metrics(font());
  const QRect area = TextArea();
  const int top = area.top() + (area.height() - metrics.height()) / 2;
  const QPoint baseline(TextLeft(), top + metrics.ascent());
  painter.setPen(isEnabled() ? ToQColor(FFontColor) : ToQColor(clGrayText));
  painter.drawText(baseline, FText);

  if (SelLength() > 0 && (hasFocus() || !FHideSelection)) {
    const int left = CaretX(SelStart()), right = CaretX(SelStart() + SelLength());
    const QRect selection(left, top, right - left, metrics.height());
    painter.fillRect(selection, palette().color(QPalette::Highlight));
    painter.save();
    painter.setClipRect(selection & inner);
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(baseline, FText);
    painter.restore();
  }
  if (CaretShown()) {
    // An inverting caret stays visible on any background colour.
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(CaretX(FCaret), top, FCaretWidth, metrics.height()), Qt::white);
  }
}

void TLMDEdit::mousePressEvent(QMouseEvent* event) {
  ClickPressed(*event);
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  MoveCaret(PositionAt(event->position().toPoint().x()), event->modifiers() & Qt::ShiftModifier);
  FSelecting = true;
}

void TLMDEdit::mouseMoveEvent(QMouseEvent* event) {
  if (FSelecting && (event->buttons() & Qt::LeftButton))
    MoveCaret(PositionAt(event->position().toPoint().x()), true);
}

void TLMDEdit::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = ClickReleased(*event);
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  FSelecting = false;
  if (click) Click();
}

void TLMDEdit::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  const int at = PositionAt(event->position().toPoint().x());
  int start = at, end = at;
  while (start > 0 && FText[start - 1].isLetterOrNumber()) --start;
  while (end < FText.size() && FText[end].isLetterOrNumber()) ++end;
  if (start == end)
    SelectAll();
  else
    SetSelection(start, end - start);
}

void TLMDEdit::focusInEvent(QFocusEvent* event) {
  // Arriving by Tab selects the whole text, as desktop edit boxes do.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
    SelectAll();
  RestartBlink();
  update();
  QWidget::focusInEvent(event);
}

void TLMDEdit::focusOutEvent(QFocusEvent* event) {
  FBlink.stop();
  FCaretOn = false;
  FSelecting = false;
  update();
  QWidget::focusOutEvent(event);
}

void TLMDEdit::timerEvent(QTimerEvent* event) {
  if (event->timerId() != FBlink.timerId()) return QWidget::timerEvent(event);
  FCaretOn = !FCaretOn;
  update();
}

void TLMDEdit::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) EnsureCaretVisible();
  if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange ||
      event->type() == QEvent::PaletteChange)
    update();
  QWidget::changeEvent(event);
}

QMenu* TLMDEdit::CreateContextMenu() {
  auto* menu = new QMenu(this);
  const bool selected = SelLength() > 0;
  const bool editable = !FReadOnly;
  menu->addAction(QStringLiteral("Taglia"), this, &TLMDEdit::CutToClipboard)
      ->setEnabled(selected && editable);
  menu->addAction(QStringLiteral("Copia"), this, &TLMDEdit::CopyToClipboard)->setEnabled(selected);
  menu->addAction(QStringLiteral("Incolla"), this, &TLMDEdit::PasteFromClipboard)
      ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
  menu->addAction(QStringLiteral("Elimina"), this, [this] { DeleteSelectionOr(0); })
      ->setEnabled(selected && editable);
  menu->addSeparator();
  menu->addAction(QStringLiteral("Seleziona tutto"), this, &TLMDEdit::SelectAll)
      ->setEnabled(!FText.isEmpty());
  if (OnContextPopup) OnContextPopup(this, *menu);
  return menu;
}

void TLMDEdit::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu(CreateContextMenu());
  menu->exec(event->globalPos());
}

QSize TLMDEdit::sizeHint() const {
  const QFontMetrics metrics(font());
  const int bevel = BevelWidth();
  return {metrics.averageCharWidth() * 12 + 2 * (bevel + kPadding),
          metrics.height() + 2 * bevel + 2};
}

}  // namespace marnova
