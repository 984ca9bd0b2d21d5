#include "ui/widgets/TLMDBaseLabel.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>
#include <climits>
#include <cmath>
#include <functional>

#include "ui/widgets/ColorConstants.h"
#include "ui/widgets/TextFont.h"

namespace marnova {
namespace {

Qt::Alignment QtAlignment(TLMDBaseLabel::TLMDAlignment alignment) {
  static constexpr Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  const int index = int(alignment);
  return horizontal[index % 3] | vertical[index / 3];
}

// The effect copies, then the text itself. A disabled label draws greyed
// (a highlight copy under the shadow colour) whatever its effect.
void PaintLayers(const std::function<void(QPointF, const QColor&)>& layer,
                 const TLMDBaseLabel::TextEffect& effect, bool enabled, TColor fontColor) {
  if (!enabled) {
    layer({1, 1}, ToQColor(clBtnHighlight));
    layer({0, 0}, ToQColor(clBtnShadow));
    return;
  }
  switch (effect.style) {
    case TLMDBaseLabel::tdSunken:
      layer({1, 1}, ToQColor(effect.light));
      break;
    case TLMDBaseLabel::tdRaised:
      layer({-1, -1}, ToQColor(effect.light));
      layer({1, 1}, ToQColor(effect.shadow));
      break;
    case TLMDBaseLabel::tdShadow:
      layer({2, 2}, ToQColor(effect.shadow));
      break;
    case TLMDBaseLabel::tdNone:
      break;
  }
  layer({0, 0}, ToQColor(fontColor));
}

}  // namespace

TLMDBaseLabel::TLMDBaseLabel(QWidget* parent)
    : QWidget(parent), TControlBase(*this, true), FColor(clBtnFace), FFontColor(clWindowText) {}

void TLMDBaseLabel::DoLoaded() {
  AdjustBounds();
  update();
}

void TLMDBaseLabel::setCaption(const QString& caption) {
  if (caption == FCaption) return;
  FCaption = caption;
  AdjustBounds();
  update();
  UpdateToolTip();
  if (QAccessible::isActive()) {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
  }
}

void TLMDBaseLabel::setAlignment(TLMDAlignment alignment) {
  if (alignment == FAlignment) return;
  FAlignment = alignment;
  update();
}

void TLMDBaseLabel::setAutoSize(bool autoSize) {
  if (autoSize == FAutoSize) return;
  FAutoSize = autoSize;
  AdjustBounds();
}

void TLMDBaseLabel::setTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  update();
}

void TLMDBaseLabel::setColor(TColor color) {
  if (color == FColor) return;
  FColor = color;
  if (!FTransparent) update();
}

void TLMDBaseLabel::setFontColor(TColor color) {
  if (color == FFontColor) return;
  FFontColor = color;
  update();
}

int TLMDBaseLabel::FontHeight() const {
  return FontHeightOf(font());
}

void TLMDBaseLabel::setFontHeight(int height) {
  setFont(FontWithHeight(font(), height));
}

void TLMDBaseLabel::setShowAccelChar(bool show) {
  if (show == FShowAccelChar) return;
  FShowAccelChar = show;
  AdjustBounds();
  update();
}

QString TLMDBaseLabel::DrawnText() const {
  QString text = FCaption;
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

QString TLMDBaseLabel::PlainCaption() const {
  const QString text = DrawnText();
  if (!FShowAccelChar) return text;
  QString plain;
  plain.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size())
      ++i;
    else if (text[i] == QLatin1Char('&'))
      continue;
    plain += text[i];
  }
  return plain;
}

int TLMDBaseLabel::TextFlags() const {
  int flags = FShowAccelChar ? int(Qt::TextShowMnemonic) : 0;
  if (!WrapsLines()) flags |= Qt::TextSingleLine;
  return flags;
}

QSize TLMDBaseLabel::TextExtent() const {
  const QFontMetrics metrics(font());
  const QString text = DrawnText();
  const int angle = Angle();
  if (angle == 0 && WrapsLines()) {
    const int wrapWidth = std::max(1, width() - 2);
    const QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, INT_MAX / 2),
                                              TextFlags() | Qt::TextWordWrap, text);
    return {wrapWidth, std::max(bounds.height(), metrics.height())};
  }
  QSize size = metrics.size(TextFlags(), text);
  size.setHeight(std::max(size.height(), metrics.height()));
  if (angle == 0) return size;
  const qreal radians = qDegreesToRadians(qreal(angle));
  const qreal c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
  return {int(std::ceil(size.width() * c + size.height() * s - 1e-6)),
          int(std::ceil(size.width() * s + size.height() * c - 1e-6))};
}

void TLMDBaseLabel::AdjustBounds() {
  if (IsLoading() || !FAutoSize) return;
  const QSize extent = TextExtent();
  // resize() keeps the top-left corner where it is.
  if (Angle() == 0 && WrapsLines())
    resize(width(), extent.height() + 2);
  else
    resize(extent + QSize(2, 2));
  updateGeometry();
}

QSize TLMDBaseLabel::sizeHint() const {
  const QSize extent = TextExtent();
  if (Angle() == 0 && WrapsLines()) return {width(), extent.height() + 2};
  return extent + QSize(2, 2);
}

void TLMDBaseLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!FTransparent) painter.fillRect(rect(), ToQColor(FColor));
  painter.setFont(font());
  const QRect area = rect().adjusted(1, 1, -1, -1);
  const TextEffect effect = Effect();
  if (Angle() == 0)
    PaintText(painter, area, effect);
  else
    PaintRotated(painter, area, effect);
}

void TLMDBaseLabel::PaintText(QPainter& painter, const QRect& area, const TextEffect& effect) {
  const QString text = DrawnText();
  int flags = TextFlags() | int(QtAlignment(FAlignment));
  if (WrapsLines()) flags |= Qt::TextWordWrap;
  const auto layer = [&](QPointF offset, const QColor& colour) {
    painter.setPen(colour);
    painter.drawText(QRectF(area).translated(offset), flags, text);
  };
  PaintLayers(layer, effect, isEnabled(), FFontColor);
}

// The rotated text's bounding box is placed by the alignment; the text is
// turned about the box's centre, counter-clockwise by the angle.
void TLMDBaseLabel::PaintRotated(QPainter& painter, const QRect& area, const TextEffect& effect) {
  const QString text = DrawnText();
  const QFontMetrics metrics(font());
  const int flags = TextFlags();
  QSize textSize = metrics.size(flags, text);
  textSize.setHeight(std::max(textSize.height(), metrics.height()));
  const qreal radians = qDegreesToRadians(qreal(Angle()));
  const qreal cosA = std::cos(radians), sinA = std::sin(radians);
  const qreal boxWidth = std::abs(textSize.width() * cosA) + std::abs(textSize.height() * sinA);
  const qreal boxHeight = std::abs(textSize.width() * sinA) + std::abs(textSize.height() * cosA);

  const Qt::Alignment alignment = QtAlignment(FAlignment);
  qreal left = area.left(), top = area.top();
  if (alignment & Qt::AlignHCenter) left += (area.width() - boxWidth) / 2;
  if (alignment & Qt::AlignRight) left += area.width() - boxWidth;
  if (alignment & Qt::AlignVCenter) top += (area.height() - boxHeight) / 2;
  if (alignment & Qt::AlignBottom) top += area.height() - boxHeight;
  const QPointF centre(left + boxWidth / 2, top + boxHeight / 2);

  // The text's own top-left corner, turned with it (screen y grows downwards).
  const qreal halfW = textSize.width() / 2.0, halfH = textSize.height() / 2.0;
  const QPointF origin =
      centre + QPointF(-halfW * cosA - halfH * sinA, halfW * sinA - halfH * cosA);
  RotatedOriginPainted(origin.toPoint());

  const QRectF textRect(-halfW, -halfH, textSize.width(), textSize.height());
  const auto layer = [&](QPointF offset, const QColor& colour) {
    painter.save();
    painter.translate(centre + offset);
    painter.rotate(-Angle());
    painter.setPen(colour);
    painter.drawText(textRect, flags | Qt::AlignCenter, text);
    painter.restore();
  };
  PaintLayers(layer, effect, isEnabled(), FFontColor);
}

void TLMDBaseLabel::mousePressEvent(QMouseEvent* event) {
  ClickPressed(*event);
  if (event->button() == Qt::LeftButton) LeftPressed();
  QWidget::mousePressEvent(event);
}

void TLMDBaseLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool clicked = ClickReleased(*event);
  QWidget::mouseReleaseEvent(event);
  if (clicked) Click();
}

void TLMDBaseLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) AdjustBounds();
  if (event->type() == QEvent::FontChange || event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

}  // namespace marnova
