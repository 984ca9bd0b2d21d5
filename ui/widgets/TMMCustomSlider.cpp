#include "ui/widgets/TMMCustomSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QtMath>
#include <algorithm>
#include <climits>

#include "ui/widgets/Frame3D.h"

namespace marnova {

namespace {

constexpr int kBlinkInterval = 500;

// The slider that owns the application's one blink timer, if any.
TMMCustomSlider* GBlinkOwner = nullptr;

int ClampByte(int value) {
  return std::clamp(value, 0, 255);
}

bool IsMoveKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Left:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

}  // namespace

TMMCustomSlider::TMMCustomSlider(QWidget* parent)
    : TControl(parent), FBevel(new TMMBevel(this)), FGroove(new TMMBevel(this)) {
  FBevel->setBorderWidth(5);
  connect(FBevel, &TMMBevel::Changed, this, qOverload<>(&QWidget::update));
  connect(FGroove, &TMMBevel::Changed, this, qOverload<>(&QWidget::update));
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);                 // the cursor changes over the thumb without a button held
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel comes from the off-screen image
}

TMMCustomSlider::~TMMCustomSlider() {
  if (GBlinkOwner == this) GBlinkOwner = nullptr;
}

// --- value and range -------------------------------------------------------

int TMMCustomSlider::Position() const {
  return Geometry().Clamp(FPosition);
}

void TMMCustomSlider::setPosition(int value) {
  ApplyValue(value, false);
}

void TMMCustomSlider::ApplyValue(long long requested, bool rangeChange) {
  // The request is compared before clamping: a value beyond the end the
  // thumb already sits at still announces a change.
  if (requested == FPosition && !rangeChange) return;
  const int next = Geometry().Clamp(requested);
  if (IsLoading()) {
    FPosition = next;  // clamped to the range given so far
    return update();
  }
  const bool changed = next != FPosition;
  const QRect before = ThumbRect();
  FPosition = next;
  if (ThumbRect() != before || rangeChange) update();
  if (changed && QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, FPosition);
    QAccessible::updateAccessibility(&event);
  }
  Fire(OnChange, this);
}

void TMMCustomSlider::ApplyRange() {
  // MaxValue stays above MinValue so that the value-to-pixel mapping holds.
  if (FMinValue == INT_MAX) FMinValue = INT_MAX - 1;
  if (FMaxValue <= FMinValue) FMaxValue = FMinValue + 1;
}

void TMMCustomSlider::setMinValue(int value) {
  if (value == FMinValue) return;
  FMinValue = value;
  if (IsLoading()) return update();
  ApplyRange();
  ApplyValue(FPosition, true);
}

void TMMCustomSlider::setMaxValue(int value) {
  if (value == FMaxValue) return;
  FMaxValue = value;
  if (IsLoading()) return update();
  ApplyRange();
  ApplyValue(FPosition, true);
}

void TMMCustomSlider::DoLoaded() {
  ApplyRange();
  update();
}

// --- plain properties ------------------------------------------------------

TMMCustomSlider::TMMOrientation TMMCustomSlider::Orientation() const {
  FollowShape();
  return FOrientation;
}

void TMMCustomSlider::setOrientation(TMMOrientation value) {
  FollowShape();
  if (value == FOrientation) return;
  FOrientation = value;
  update();
}

void TMMCustomSlider::FollowShape() const {
  if (size() == FShapeSize) return;
  FShapeSize = size();
  FOrientation = width() >= height() ? orHorizontal : orVertical;
}

void TMMCustomSlider::setThumbWidth(int value) {
  FThumbWidth = ClampByte(value);
  update();
}

void TMMCustomSlider::setThumbHeight(int value) {
  FThumbHeight = ClampByte(value);
  update();
}

void TMMCustomSlider::setThumbStyle(TMMThumbStyle value) {
  FThumbStyle = value;
  update();
}

void TMMCustomSlider::setThumbColor(TColor value) {
  FThumbColor = value;
  update();
}

void TMMCustomSlider::setThumbBorder(bool value) {
  FThumbBorder = value;
  update();
}

void TMMCustomSlider::setThumbCursor(const QCursor& value) {
  FThumbCursor = value;
  if (FOverThumb) QWidget::setCursor(FThumbCursor);
}

void TMMCustomSlider::setCursor(const QCursor& value) {
  FCursor = value;
  if (!FOverThumb) QWidget::setCursor(FCursor);
}

void TMMCustomSlider::setGrooveSize(int value) {
  FGrooveSize = ClampByte(value);
  update();
}

void TMMCustomSlider::setGrooveColor(TColor value) {
  FGrooveColor = value;
  update();
}

void TMMCustomSlider::setFocusAction(TMMFocusAction value) {
  if (value == FFocusAction) return;
  FFocusAction = value;
  if (FFocused) {
    if (Blinks())
      StartBlink();
    else
      StopBlink();
  }
  update();
}

void TMMCustomSlider::setFocusColor(TColor value) {
  FFocusColor = value;
  update();
}

void TMMCustomSlider::setDisabledColor(TColor value) {
  FDisabledColor = value;
  update();
}

void TMMCustomSlider::setSensitivity(int value) {
  FSensitivity = std::clamp(value, -96, -20);
}

void TMMCustomSlider::setTabStop(bool value) {
  FTabStop = value;
  // Without a tab stop the slider still takes the focus from a mouse press.
  setFocusPolicy(value ? Qt::StrongFocus : Qt::ClickFocus);
}

// --- geometry --------------------------------------------------------------

TSliderGeometry TMMCustomSlider::Geometry() const {
  TSliderGeometry g;
  const int b = FBevel->TotalWidth();
  g.Track = rect().adjusted(b, b, -b, -b);
  g.Vertical = Orientation() == orVertical;
  g.ThumbWidth = FThumbWidth;
  g.ThumbHeight = FThumbHeight;
  g.GrooveSize = FGrooveSize;
  g.GrooveBevel = FGroove->TotalWidth();
  g.MinValue = FMinValue;
  g.MaxValue = FMaxValue;
  return g;
}

QRect TMMCustomSlider::ThumbRect() const {
  const TSliderGeometry g = Geometry();
  return g.ThumbRect(g.Clamp(FPosition));
}

QRect TMMCustomSlider::TrackRect() const {
  return Geometry().Track;
}

// --- painting --------------------------------------------------------------

const QImage& TMMCustomSlider::PaintOffscreen() {
  // At device resolution, so that lines and thumbs are drawn for the
  // screen's own pixels instead of being enlarged from logical ones.
  const qreal ratio = std::max<qreal>(devicePixelRatioF(), 1.0);
  const QSize device(qCeil(width() * ratio - 1e-9), qCeil(height() * ratio - 1e-9));
  if (FBuffer.size() != device || FBuffer.devicePixelRatio() != ratio) {
    FBuffer = QImage(device, QImage::Format_RGB32);
    FBuffer.setDevicePixelRatio(ratio);
  }
  if (FBuffer.isNull()) return FBuffer;
  const TSliderGeometry g = Geometry();
  QPainter painter(&FBuffer);
  const QRect whole(QPoint(0, 0), FBuffer.deviceIndependentSize().toSize());
  // The body colour first: lines leave the rest of their pixel to it.
  painter.fillRect(whole, Resolve(Color()));
  const QRectF inside = FBevel->Paint(painter, whole);
  painter.fillRect(inside, Resolve(Color()));

  FThumbRect = g.ThumbRect(g.Clamp(FPosition));

  const bool focusColor = FFocused && (FFocusAction == faFocusColor || FFocusAction == faAll);
  const QColor grooveFill = Resolve(focusColor ? FFocusColor : FGrooveColor);
  // Filled where its lines go, so no sliver of it shows outside them.
  painter.fillRect(DevicePixelsInside(painter, g.GrooveRect()), grooveFill);
  const QRectF groove = FGroove->Paint(painter, g.GrooveRect());
  painter.fillRect(groove, grooveFill);
  if (FFocused && (FFocusAction == faFocusRect || FFocusAction == faAll)) {
    QRect focus = g.Track;
    // Where a flat border or space surrounds the track the dots sit on it.
    if ((FBevel->BorderWidth() > 0 && FBevel->BevelInner() == TMMBevel::bvNone) ||
        FBevel->BorderSpace() > 0)
      focus.adjust(-1, -1, 1, 1);
    DrawFocusDots(painter, focus);
  }
  PaintThumb(painter);
  return FBuffer;
}

void TMMCustomSlider::PaintThumb(QPainter& painter) {
  if (FThumbStyle == tsOwnerDraw) {
    painter.save();
    Fire(OnDrawThumb, this, painter, FThumbRect, FDragging, FBlinkOn);
    painter.restore();
    return;
  }
  const QColor frame = Resolve(clWindowFrame);
  const qreal line = LineWidth(painter);
  painter.fillRect(DevicePixelsInside(painter, FThumbRect), Resolve(FThumbColor));
  QRectF r = FThumbRect;
  // The interior in whole logical pixels, for the blink dots.
  QRect interior = FThumbRect.adjusted(2, 2, -2, -2);
  if (FThumbBorder) {
    DrawFlatRing(painter, r, frame, 1);
  } else {
    r = DevicePixelsInside(painter, r);
    painter.fillRect(QRectF(r.right() - line, r.top(), line, r.height()), frame);
    painter.fillRect(QRectF(r.left(), r.bottom() - line, r.width(), line), frame);
    r.adjust(0, 0, -line, -line);
    interior = FThumbRect.adjusted(1, 1, -2, -2);
  }
  if (r.width() <= 0 || r.height() <= 0) return;
  const QColor light = Resolve(clBtnHighlight);
  const QRectF ring = r;
  DrawFrame3D(painter, r, light, Resolve(clBtnShadow), 1);
  painter.fillRect(QRectF(ring.right() - line, ring.top(), line, line), light);
  painter.fillRect(QRectF(ring.left(), ring.bottom() - line, line, line), light);
  painter.fillRect(r, Resolve(FThumbColor));

  if (isEnabled() && !FBlinkOn) return;
  // Dotted overlay: the interior pixels whose row and column share parity.
  const QColor dot = isEnabled() ? QColor(Qt::black) : Resolve(FDisabledColor);
  for (int y = interior.top(); y <= interior.bottom(); ++y)
    for (int x =
             interior.left() + ((y - FThumbRect.top() + interior.left() - FThumbRect.left()) & 1);
         x <= interior.right(); x += 2)
      painter.fillRect(QRect(x, y, 1, 1), dot);
}

void TMMCustomSlider::paintEvent(QPaintEvent*) {
  const QImage& image = PaintOffscreen();
  QPainter painter(this);
  painter.drawImage(0, 0, image);
}

void TMMCustomSlider::resizeEvent(QResizeEvent* event) {
  FollowShape();
  TControl::resizeEvent(event);
}

void TMMCustomSlider::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) update();
  TControl::changeEvent(event);
}

// --- keyboard --------------------------------------------------------------

void TMMCustomSlider::keyPressEvent(QKeyEvent* event) {
  if (!IsMoveKey(event->key())) return TControl::keyPressEvent(event);
  const long long value = Position();
  const bool vertical = Orientation() == orVertical;
  long long next = value;
  switch (event->key()) {
    case Qt::Key_PageUp:
      next = std::min<long long>(value + FPageSize, FMaxValue);
      break;
    case Qt::Key_PageDown:
      next = std::max<long long>(value - FPageSize, FMinValue);
      break;
    case Qt::Key_Home:
      next = vertical ? FMaxValue : FMinValue;
      break;
    case Qt::Key_End:
      next = vertical ? FMinValue : FMaxValue;
      break;
    case Qt::Key_Up:
    case Qt::Key_Right:
      if (value < FMaxValue) next = value + FLineSize;
      break;
    default:  // Left, Down
      if (value > FMinValue) next = value - FLineSize;
      break;
  }
  event->accept();
  if (!FKeyTracking) {
    FKeyTracking = true;
    Fire(OnTrack, this);
  }
  ApplyValue(next, false);
}

void TMMCustomSlider::keyReleaseEvent(QKeyEvent* event) {
  if (!IsMoveKey(event->key())) return TControl::keyReleaseEvent(event);
  event->accept();
  if (event->isAutoRepeat() || !FKeyTracking) return;
  FKeyTracking = false;
  Fire(OnTrackEnd, this);
}

// --- mouse -----------------------------------------------------------------

void TMMCustomSlider::mousePressEvent(QMouseEvent* event) {
  if (focusPolicy() != Qt::NoFocus) setFocus(Qt::MouseFocusReason);
  TControl::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  const TSliderGeometry g = Geometry();
  if (g.ThumbRect(g.Clamp(FPosition)).contains(at)) {
    FDragging = true;
    FDragStartValue = Position();
    FDragStart = at;
    update();
    Fire(OnTrack, this);
    return;
  }
  ApplyValue(g.ValueAt(at, Position()), false);
}

void TMMCustomSlider::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (FDragging && (event->buttons() & Qt::LeftButton)) {
    ApplyValue(Geometry().DragValue(FDragStartValue, FDragStart, at), false);
    return;
  }
  if (!FDragging) UpdateCursor(at);
  TControl::mouseMoveEvent(event);
}

void TMMCustomSlider::mouseReleaseEvent(QMouseEvent* event) {
  const bool endsDrag = event->button() == Qt::LeftButton && FDragging;
  if (endsDrag) {
    FDragging = false;
    update();
    UpdateCursor(event->position().toPoint());
    Fire(OnTrackEnd, this);
  }
  TControl::mouseReleaseEvent(event);
}

void TMMCustomSlider::UpdateCursor(QPoint at) {
  const bool over = ThumbRect().contains(at);
  if (over == FOverThumb) return;
  FOverThumb = over;
  QWidget::setCursor(over ? FThumbCursor : FCursor);
}

// --- focus and blinking ----------------------------------------------------

void TMMCustomSlider::focusInEvent(QFocusEvent* event) {
  FFocused = true;
  if (Blinks()) StartBlink();
  update();
  TControl::focusInEvent(event);
}

void TMMCustomSlider::focusOutEvent(QFocusEvent* event) {
  FFocused = false;
  StopBlink();
  update();
  TControl::focusOutEvent(event);
}

bool TMMCustomSlider::OwnsBlinkTimer() const {
  return GBlinkOwner == this && FBlinkTimer;
}

void TMMCustomSlider::StartBlink() {
  if (GBlinkOwner && GBlinkOwner != this) GBlinkOwner->StopBlink();
  FBlinkTimer.reset();
  FBlinkOn = false;
  FBlinkTimer = std::make_unique<QTimer>(this);  // freed here, listed among the children
  FBlinkTimer->setTimerType(Qt::PreciseTimer);
  FBlinkTimer->setInterval(kBlinkInterval);
  connect(FBlinkTimer.get(), &QTimer::timeout, this, &TMMCustomSlider::BlinkTick);
  // Without a timer the thumb simply stays steady; there is nothing better
  // to do for a focus cue.
  FBlinkTimer->start();
  GBlinkOwner = this;
  update();
}

void TMMCustomSlider::StopBlink() {
  FBlinkTimer.reset();
  if (GBlinkOwner == this) GBlinkOwner = nullptr;
  if (FBlinkOn) {
    FBlinkOn = false;
    update();
  }
}

void TMMCustomSlider::BlinkTick() {
  if (FDragging) {
    FBlinkOn = true;
    return;
  }
  FBlinkOn = !FBlinkOn;
  update();
}

}  // namespace marnova
