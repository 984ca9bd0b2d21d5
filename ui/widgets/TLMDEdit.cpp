#include "ui/widgets/TLMDEdit.h"

#include <qdrawutil.h>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTimerEvent>
#include <memory>

#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/EditorOverwriteMode.h"
#include "ui/widgets/TextFont.h"

namespace marnova {
namespace {

constexpr int kPadding = 1;
// Qt's editor keeps this much room between the text margins and the text.
constexpr int kQtMargin = 2;
constexpr int kCaretReach = 5;

// Qt's caret gets no width: this editor draws its own.
class WithoutCaret : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    return metric == PM_TextCursorWidth ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
  }
};

// Overwriting steps never split a surrogate pair.
int NextPosition(const QString& text, int position) {
  if (position >= text.size()) return int(text.size());
  if (text[position].isHighSurrogate() && position + 1 < text.size()) return position + 2;
  return position + 1;
}

}  // namespace

TLMDEdit::TLMDEdit(QWidget* parent)
    : QLineEdit(parent),
      TControlBase(*this, true, true),
      FColor(clWindow),
      FFontColor(clWindowText) {
  // One for all editors, owned by the application, which outlives them.
  static QStyle* const caretless = [] {
    auto* style = new WithoutCaret;
    style->setParent(QCoreApplication::instance());
    return style;
  }();
  setStyle(caretless);
  setFrame(false);
  // A drop would pass no filter and no MaxLength.
  setAcceptDrops(false);
  setAttribute(Qt::WA_KeyCompression, false);
  ApplyColors();
  connect(this, &QLineEdit::textChanged, this, [this] { Changed(); });
  connect(this, &QLineEdit::cursorPositionChanged, this, [this] { RestartBlink(); });
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
  if (text == QLineEdit::text()) return;
  QString stored = Cased(text);
  if (FMaxLength > 0 && stored.size() > FMaxLength) stored.truncate(FMaxLength);
  {
    const QSignalBlocker once(this);  // OnChange fires below, also for the same text
    QLineEdit::setText(stored);
    setCursorPosition(0);
  }
  Changed();
}

void TLMDEdit::Changed() {
  PlaceText();
  RestartBlink();
  if (!IsLoading() && OnChange) OnChange(this);
}

void TLMDEdit::setCharCase(TEditCharCase charCase) {
  if (charCase == FCharCase) return;
  FCharCase = charCase;
  if (FCharCase == ecNormal) return;
  const int caret = cursorPosition();
  QLineEdit::setText(Cased(text()));
  setCursorPosition(caret);
}

void TLMDEdit::setAlignment(TAlignment alignment) {
  FAlignment = alignment;
  PlaceText();
}

void TLMDEdit::setColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  ApplyColors();
}

void TLMDEdit::setFontColor(TColor color) {
  if (color == FFontColor) return;
  FFontColor = color;
  ApplyColors();
}

void TLMDEdit::ApplyColors() {
  // Qt's editor draws the selection unseen, in the text's own colours:
  // paintEvent() draws it where this editor always did.
  QPalette colours = palette();
  for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const QColor text = ToQColor(group == QPalette::Disabled ? clGrayText : FFontColor);
    colours.setColor(group, QPalette::Base, ToQColor(FColor));
    colours.setColor(group, QPalette::Highlight, ToQColor(FColor));
    colours.setColor(group, QPalette::Text, text);
    colours.setColor(group, QPalette::HighlightedText, text);
  }
  setPalette(colours);
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
  PlaceText();
}

void TLMDEdit::setBevelMode(TLMDBevelMode mode) {
  FBevelMode = mode;
  PlaceText();
}

void TLMDEdit::SetSelection(int start, int length) {
  const int size = int(text().size());
  start = std::clamp(start, 0, size);
  const int end = std::clamp(start + std::max(0, length), 0, size);
  if (end > start) return setSelection(start, end - start);
  deselect();
  setCursorPosition(start);
}

void TLMDEdit::setHideSelection(bool hide) {
  FHideSelection = hide;
  update();
}

void TLMDEdit::CutToClipboard() {
  if (isReadOnly()) return CopyToClipboard();
  cut();
}

void TLMDEdit::PasteFromClipboard() {
  if (isReadOnly()) return;
  // A single-line editor takes the clipboard's first line.
  QString text = QGuiApplication::clipboard()->text();
  const qsizetype lineEnd = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  if (lineEnd >= 0) text.truncate(lineEnd);
  bool wholeField = false;
  if (OnPaste) OnPaste(this, text, wholeField);
  if (text.isEmpty()) return;
  if (wholeField) selectAll();
  Insert(Cased(text), false);
}

void TLMDEdit::Insert(const QString& text, bool overwrite) {
  const int start = SelStart();
  int removed = SelLength();
  if (removed == 0 && overwrite) {
    int end = start;
    for (int i = 0; i < text.size() && end < QLineEdit::text().size(); ++i)
      end = NextPosition(QLineEdit::text(), end);
    removed = end - start;
  }
  // Too long for MaxLength: dropped silently.
  if (FMaxLength > 0 && QLineEdit::text().size() - removed + text.size() > FMaxLength) return;
  if (removed > 0) setSelection(start, removed);
  insert(text);
}

void TLMDEdit::Type(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    // The second half of a pair typed as one character follows its first
    // half unless the filter replaced it.
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    const QChar typed = text[i];
    QChar key = typed;
    if (OnKeyPress) OnKeyPress(this, key);
    // Discarded (0) and control characters insert nothing.
    if (key.unicode() >= 32 && !isReadOnly()) {
      QString inserted(key);
      if (pair && key == typed) inserted += text[i + 1];
      Insert(Cased(inserted), EditorsOverwrite());
    }
    if (pair) ++i;
  }
}

void TLMDEdit::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (OnKeyDown) {
    int down = event->key();
    OnKeyDown(this, down, modifiers);
    if (down == 0) return;
  }
  const bool ctrl = modifiers & Qt::ControlModifier, shift = modifiers & Qt::ShiftModifier;
  const bool command = ctrl && !(modifiers & Qt::AltModifier);
  const int key = event->key();
  if (key == Qt::Key_Insert) {
    if (ctrl && !shift)
      CopyToClipboard();
    else if (shift && !ctrl)
      PasteFromClipboard();
    else if (modifiers == Qt::NoModifier)
      SetEditorsOverwrite(!EditorsOverwrite());
    return;
  }
  const QString typed = event->text();
  if ((key == Qt::Key_Delete && shift) || (command && key == Qt::Key_X)) {
    CutToClipboard();
  } else if ((command && key == Qt::Key_V) || event->matches(QKeySequence::Paste)) {
    PasteFromClipboard();  // through OnPaste and MaxLength, never Qt's own
  } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
    // As Left and Right: there is only one line.
    QKeyEvent sideways(event->type(), key == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right, modifiers);
    QLineEdit::keyPressEvent(&sideways);
  } else if (key == Qt::Key_Escape) {
    deselect();
  } else if (command || typed.isEmpty() || typed[0].unicode() < 32 || key == Qt::Key_Delete) {
    // Backspace, Delete, Home, End, Left, Right, select all, copy, undo...
    if (key != Qt::Key_Return && key != Qt::Key_Enter) QLineEdit::keyPressEvent(event);
  } else {
    return Type(typed);
  }
  // The key's own character reaches the filter after the key has acted.
  QChar own;
  if (key == Qt::Key_Backspace) own = QChar(8);
  if (key == Qt::Key_Return || key == Qt::Key_Enter) own = QChar(13);
  if (key == Qt::Key_Escape) own = QChar(27);
  if (command && key >= Qt::Key_A && key <= Qt::Key_Z) own = QChar(key - Qt::Key_A + 1);
  if (own.isNull()) return;
  Type(QString(own));
  // Enter and Escape go on to the window too, so that a default button
  // still answers Enter and a dialog still closes on Escape.
  event->setAccepted(own.unicode() != 13 && own.unicode() != 27);
}

void TLMDEdit::inputMethodEvent(QInputMethodEvent* event) {
  // Qt shows what is being composed; what is committed is typed.
  QInputMethodEvent composing(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&composing);
  Type(event->commitString());
  event->accept();
}

// The middle button is left alone: its paste of the selection would pass
// no filter and no MaxLength.
void TLMDEdit::mousePressEvent(QMouseEvent* event) {
  ClickPressed(*event);
  if (event->button() != Qt::MiddleButton) QLineEdit::mousePressEvent(event);
}

void TLMDEdit::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = ClickReleased(*event);
  if (event->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(event);
  if (click) Click();
}

void TLMDEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Arriving by Tab selects the whole text, as desktop edit boxes do.
  if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason)
    selectAll();
  RestartBlink();
}

void TLMDEdit::focusOutEvent(QFocusEvent* event) {
  // Qt's editor drops the selection; here it stays, shown unless HideSelection.
  const int caret = cursorPosition(), start = SelStart(), length = SelLength();
  QLineEdit::focusOutEvent(event);
  if (length > 0)
    setSelection(caret == start ? start + length : start, caret == start ? -length : length);
  FBlink.stop();
  FCaretOn = false;
  update();
}

void TLMDEdit::RestartBlink() {
  FCaretOn = true;
  if (hasFocus() && FBlinkRate > 0)
    FBlink.start(FBlinkRate, this);
  else
    FBlink.stop();
  update();
}

void TLMDEdit::timerEvent(QTimerEvent* event) {
  if (event->timerId() != FBlink.timerId()) return QLineEdit::timerEvent(event);
  FCaretOn = !FCaretOn;
  update();
}

void TLMDEdit::changeEvent(QEvent* event) {
  // Qt's editor lays its text out again at every font step of a
  // description (family, then height), loading faces never drawn; while
  // loading only the last one is passed on, by DoLoaded().
  if (event->type() == QEvent::FontChange && IsLoading()) return;
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) PlaceText();
}

void TLMDEdit::DoLoaded() {
  QEvent fontChange(QEvent::FontChange);
  changeEvent(&fontChange);
}

void TLMDEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceText();
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

void TLMDEdit::PlaceText() {
  // A description sets the font in steps (family, then height); measuring
  // each step would load faces never drawn. Loaded() measures the last.
  if (IsLoading()) return;
  const QFontMetrics metrics(font());
  const int bevel = BevelWidth(), inset = bevel + kPadding;
  const int room = width() - 2 * inset;
  const int textWidth = metrics.horizontalAdvance(text());
  if (textWidth + FCaretWidth > room) {
    // Too long: Qt's editor scrolls it within the same area.
    setTextMargins(inset - kQtMargin, bevel - 1, inset - kQtMargin, bevel);
    return;
  }
  int left = inset;
  if (FAlignment == taRightJustify) left += room - textWidth - FCaretWidth;
  if (FAlignment == taCenter) left += (room - textWidth) / 2;
  // Qt's editor draws a text that fits (with the font's overhangs and its
  // caret) at the left margin plus its own room; the right margin leaves it
  // that much room.
  const int overhangs =
      std::max(0, -metrics.minLeftBearing()) + std::max(0, -metrics.minRightBearing());
  setTextMargins(left - kQtMargin, bevel - 1,
                 width() - left - textWidth - kQtMargin - 2 - overhangs, bevel);
}

void TLMDEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  const int bevel = BevelWidth();
  if (bevel == 2) {
    qDrawWinPanel(&painter, rect(), palette(), true);
  } else if (bevel == 1) {
    painter.setPen(ToQColor(clWindowFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  const QRect inner = rect().adjusted(bevel, bevel, -bevel, -bevel);
  painter.setClipRect(inner);
  const QFontMetrics metrics(font());
  const int top = inner.top() + (inner.height() - metrics.height()) / 2;
  // Qt's caret rectangle reaches kCaretReach to the left of the caret.
  const int origin =
      cursorRect().left() + kCaretReach - metrics.horizontalAdvance(text().left(cursorPosition()));
  const auto x = [&](int position) {
    return origin + metrics.horizontalAdvance(text().left(position));
  };
  if (hasSelectedText() && (hasFocus() || !FHideSelection)) {
    const QPalette& shown =
        parentWidget() ? parentWidget()->palette() : QApplication::palette(this);
    const QPalette::ColorGroup group = palette().currentColorGroup();
    const int start = selectionStart(), end = selectionEnd();
    const QRect selection(x(start), top, x(end) - x(start), metrics.height());
    painter.fillRect(selection, shown.color(group, QPalette::Highlight));
    painter.save();
    painter.setClipRect(selection & inner);
    painter.setPen(shown.color(group, QPalette::HighlightedText));
    painter.drawText(QPoint(origin, top + metrics.ascent()), text());
    painter.restore();
  }
  if (!CaretShown()) return;
  // An inverting caret stays visible on any background colour.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.fillRect(QRect(x(cursorPosition()), top, FCaretWidth, metrics.height()), Qt::white);
}

QMenu* TLMDEdit::CreateContextMenu() {
  auto* menu = new QMenu(this);
  const bool selected = hasSelectedText();
  const bool editable = !isReadOnly();
  menu->addAction(QStringLiteral("Taglia"), this, &TLMDEdit::CutToClipboard)
      ->setEnabled(selected && editable);
  menu->addAction(QStringLiteral("Copia"), this, &TLMDEdit::CopyToClipboard)->setEnabled(selected);
  menu->addAction(QStringLiteral("Incolla"), this, &TLMDEdit::PasteFromClipboard)
      ->setEnabled(editable && !QGuiApplication::clipboard()->text().isEmpty());
  menu->addAction(QStringLiteral("Elimina"), this, [this] { del(); })
      ->setEnabled(selected && editable);
  menu->addSeparator();
  menu->addAction(QStringLiteral("Seleziona tutto"), this, &TLMDEdit::SelectAll)
      ->setEnabled(!text().isEmpty());
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
