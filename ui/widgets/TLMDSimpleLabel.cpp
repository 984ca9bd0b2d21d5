#include "ui/widgets/TLMDSimpleLabel.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

#include "platform/shell/Shell.h"
#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/KeyboardFocus.h"

namespace marnova {

TLMDSimpleLabel::TLMDSimpleLabel(QWidget* parent)
    : TLMDBaseLabel(parent),
      FInActiveColor(clBlue),
      FActiveColor(clPurple),
      FLightColor(clBtnHighlight),
      FShadowColor(clBtnShadow) {}

void TLMDSimpleLabel::setJump(const QString& jump) {
  FJump = jump;
  UpdateToolTip();
}

void TLMDSimpleLabel::setJumpMode(TJumpMode mode) {
  if (mode == FJumpMode) return;
  FJumpMode = mode;
  UpdateToolTip();
  // Leaving the jump modes keeps the link's look (as after a failed open).
  if (mode != jmNone) {
    setFontColor(FVisited ? FActiveColor : FInActiveColor);
    ApplyUnderline();
    setCursor(Qt::PointingHandCursor);
  }
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::StateChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void TLMDSimpleLabel::setInActiveColor(TColor color) {
  FInActiveColor = color;
  if (IsJumping() && !FVisited) setFontColor(color);
}

void TLMDSimpleLabel::setActiveColor(TColor color) {
  FActiveColor = color;
  if (IsJumping() && FVisited) setFontColor(color);
}

void TLMDSimpleLabel::setJumpUnderline(bool underline) {
  if (underline == FJumpUnderline) return;
  FJumpUnderline = underline;
  if (IsJumping()) ApplyUnderline();
}

// Only the underline this label added is taken away again, so a font that
// carries its own underline keeps it whatever order the settings come in.
void TLMDSimpleLabel::ApplyUnderline() {
  QFont f = font();
  if (FJumpUnderline && !f.underline()) {
    f.setUnderline(true);
    FUnderlineAdded = true;
    setFont(f);
  } else if (!FJumpUnderline && FUnderlineAdded) {
    f.setUnderline(false);
    FUnderlineAdded = false;
    setFont(f);
  }
}

void TLMDSimpleLabel::setFont3DStyle(TLMD3DStyle style) {
  if (style == FStyle) return;
  FStyle = style;
  update();
}

void TLMDSimpleLabel::setFont3DLightColor(TColor color) {
  FLightColor = color;
  if (FStyle != tdNone) update();
}

void TLMDSimpleLabel::setFont3DShadowColor(TColor color) {
  FShadowColor = color;
  if (FStyle != tdNone) update();
}

void TLMDSimpleLabel::LeftPressed() {
  if (!IsJumping()) return;
  FVisited = true;
  setFontColor(FActiveColor);
}

void TLMDSimpleLabel::paintEvent(QPaintEvent* event) {
  TLMDBaseLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(this);
  DrawFocusRect(painter, rect());
}

// Enter opens the link as a click does; the press colours it visited.
void TLMDSimpleLabel::keyPressEvent(QKeyEvent* event) {
  if (!IsEnterKey(*event) || !IsJumping()) return TLMDBaseLabel::keyPressEvent(event);
  LeftPressed();
  Click();
}

void TLMDSimpleLabel::focusInEvent(QFocusEvent* event) {
  TLMDBaseLabel::focusInEvent(event);
  update();
}

void TLMDSimpleLabel::focusOutEvent(QFocusEvent* event) {
  TLMDBaseLabel::focusOutEvent(event);
  update();
}

QString TLMDSimpleLabel::InternetTarget() const {
  if (!FJump.trimmed().isEmpty()) return FJump;
  const QString caption = PlainCaption();
  if (caption.contains(QLatin1Char('@'))) return QStringLiteral("mailto:") + caption;
  return caption;
}

QString TLMDSimpleLabel::ShownHint() const {
  const QString hint = TLMDBaseLabel::ShownHint();
  const QString target = FJump.trimmed();
  // A blank Jump opens the caption itself, which the user already reads.
  if (!IsJumping() || FJumpMode == jmCustom || target.isEmpty() || target == PlainCaption() ||
      hint.contains(target))
    return hint;
  return hint.isEmpty() ? target : hint + QLatin1Char('\n') + target;
}

void TLMDSimpleLabel::Click() {
  switch (FJumpMode) {
    case jmInternet: {
      // A browser link opens web and mail addresses only: a target that
      // names a local file or program is refused like one the desktop
      // cannot open.
      const QString target = InternetTarget();
      if (!IsWebTarget(target) || !OpenTarget(target)) {
        FJumpMode = jmNone;
        setEnabled(false);
      }
      break;
    }
    case jmApplication:
      // The desktop's answer is not checked here; a failure changes nothing.
      OpenTarget(FJump.trimmed().isEmpty() ? PlainCaption() : FJump);
      break;
    case jmNone:
    case jmCustom:
      break;
  }
  TLMDBaseLabel::Click();
}

}  // namespace marnova
