#pragma once
// A value slider: a thumb moving along a grooved track inside a bevelled
// frame. Vertical sliders have the minimum at the bottom; the orientation
// follows the control's shape whenever it is resized.
//
// Every change of the value, from code, keys, mouse or a range change, goes
// through one routine: a request that differs from the stored value (or a
// range change) stores it clamped to [MinValue, MaxValue], even while
// loading, and fires OnChange once, never while loading.
//
// The whole control is painted into an off-screen image kept between paints
// and copied to the screen in one step, so dragging does not flicker.
//
// With FocusAction faFocusThumb or faAll the focused slider blinks its
// thumb every 500 ms; the one blink timer of the application belongs to the
// slider that holds the focus. The phase reaches OnDrawThumb as `Focused`.

#include <QCursor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <functional>
#include <memory>

#include "ui/widgets/SliderGeometry.h"
#include "ui/widgets/TControl.h"
#include "ui/widgets/TMMBevel.h"

class QPainter;
class QTimer;

namespace marnova {

class TMMCustomSlider;

// Draws the thumb of a slider whose ThumbStyle is tsOwnerDraw. `aCanvas`
// paints the off-screen image; `aRect` is the thumb, ThumbWidth by
// ThumbHeight, in the slider's coordinates. `Dragged`: the left button went
// down on the thumb and is still held. `Focused`: the blink phase is on.
using TMMThumbDrawEvent = std::function<void(QObject* Sender, QPainter& aCanvas, const QRect& aRect,
                                             bool Dragged, bool Focused)>;

class TMMCustomSlider : public TControl {
  Q_OBJECT
  Q_PROPERTY(int MinValue READ MinValue WRITE setMinValue)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE setMaxValue)
  Q_PROPERTY(int Position READ Position WRITE setPosition)
  Q_PROPERTY(int LineSize READ LineSize WRITE setLineSize)
  Q_PROPERTY(int PageSize READ PageSize WRITE setPageSize)
  Q_PROPERTY(TMMOrientation Orientation READ Orientation WRITE setOrientation)
  Q_PROPERTY(int ThumbWidth READ ThumbWidth WRITE setThumbWidth)
  Q_PROPERTY(int ThumbHeight READ ThumbHeight WRITE setThumbHeight)
  Q_PROPERTY(TMMThumbStyle ThumbStyle READ ThumbStyle WRITE setThumbStyle)
  Q_PROPERTY(int ThumbColor READ ThumbColor WRITE setThumbColor)
  Q_PROPERTY(bool ThumbBorder READ ThumbBorder WRITE setThumbBorder)
  Q_PROPERTY(QCursor ThumbCursor READ ThumbCursor WRITE setThumbCursor)
  Q_PROPERTY(QCursor Cursor READ Cursor WRITE setCursor)
  Q_PROPERTY(int GrooveSize READ GrooveSize WRITE setGrooveSize)
  Q_PROPERTY(int GrooveColor READ GrooveColor WRITE setGrooveColor)
  Q_PROPERTY(TMMGrooveStyle GrooveStyle READ GrooveStyle WRITE setGrooveStyle)
  Q_PROPERTY(TMMFocusAction FocusAction READ FocusAction WRITE setFocusAction)
  Q_PROPERTY(int FocusColor READ FocusColor WRITE setFocusColor)
  Q_PROPERTY(int DisabledColor READ DisabledColor WRITE setDisabledColor)
  Q_PROPERTY(int Sensitivity READ Sensitivity WRITE setSensitivity)
  Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
  Q_PROPERTY(marnova::TMMBevel* Bevel READ Bevel CONSTANT)
  Q_PROPERTY(marnova::TMMBevel* Groove READ Groove CONSTANT)

 public:
  enum TMMOrientation { orVertical, orHorizontal };
  Q_ENUM(TMMOrientation)
  enum TMMThumbStyle { tsRect, tsOwnerDraw };
  Q_ENUM(TMMThumbStyle)
  // Owner-drawn grooves are not offered; gsOwnerDraw paints like gsRect.
  enum TMMGrooveStyle { gsRect, gsOwnerDraw };
  Q_ENUM(TMMGrooveStyle)
  enum TMMFocusAction { faNone, faFocusThumb, faFocusRect, faFocusColor, faAll };
  Q_ENUM(TMMFocusAction)

  explicit TMMCustomSlider(QWidget* parent = nullptr);
  ~TMMCustomSlider() override;

  int MinValue() const { return FMinValue; }
  void setMinValue(int value);
  int MaxValue() const { return FMaxValue; }
  void setMaxValue(int value);
  // Always within [MinValue, MaxValue].
  int Position() const;
  void setPosition(int value);
  int LineSize() const { return FLineSize; }
  void setLineSize(int value) { FLineSize = value; }
  int PageSize() const { return FPageSize; }
  void setPageSize(int value) { FPageSize = value; }
  TMMOrientation Orientation() const;
  void setOrientation(TMMOrientation value);
  // Thumb and groove sizes are 0..255; other values are clamped.
  int ThumbWidth() const { return FThumbWidth; }
  void setThumbWidth(int value);
  int ThumbHeight() const { return FThumbHeight; }
  void setThumbHeight(int value);
  TMMThumbStyle ThumbStyle() const { return FThumbStyle; }
  void setThumbStyle(TMMThumbStyle value);
  TColor ThumbColor() const { return FThumbColor; }
  void setThumbColor(TColor value);
  bool ThumbBorder() const { return FThumbBorder; }
  void setThumbBorder(bool value);
  // Shown while the pointer rests on the thumb and no drag is in progress.
  const QCursor& ThumbCursor() const { return FThumbCursor; }
  void setThumbCursor(const QCursor& value);
  // The control's own cursor, shown away from the thumb. Hides
  // QWidget::setCursor, which the slider switches itself.
  const QCursor& Cursor() const { return FCursor; }
  void setCursor(const QCursor& value);
  int GrooveSize() const { return FGrooveSize; }
  void setGrooveSize(int value);
  TColor GrooveColor() const { return FGrooveColor; }
  void setGrooveColor(TColor value);
  TMMGrooveStyle GrooveStyle() const { return FGrooveStyle; }
  void setGrooveStyle(TMMGrooveStyle value) { FGrooveStyle = value; }
  TMMFocusAction FocusAction() const { return FFocusAction; }
  void setFocusAction(TMMFocusAction value);
  TColor FocusColor() const { return FFocusColor; }
  void setFocusColor(TColor value);
  TColor DisabledColor() const { return FDisabledColor; }
  void setDisabledColor(TColor value);
  // Kept for descriptions that set it; there is no logarithmic mapping.
  int Sensitivity() const { return FSensitivity; }
  void setSensitivity(int value);
  bool TabStop() const { return FTabStop; }
  void setTabStop(bool value);

  // The frame of the whole control (BorderWidth 5 to start with) and of the
  // groove. Changing them repaints.
  TMMBevel* Bevel() const { return FBevel; }
  TMMBevel* Groove() const { return FGroove; }

  // The thumb rectangle at the current value, in the control's coordinates.
  QRect ThumbRect() const;
  // The track: the client area inside the bevel.
  QRect TrackRect() const;
  bool Dragging() const { return FDragging; }
  // The blink phase (what OnDrawThumb receives as Focused).
  bool BlinkPhase() const { return FBlinkOn; }
  // True while this slider owns the application's blink timer.
  bool OwnsBlinkTimer() const;

  // Paints the whole control into the off-screen image and returns it.
  const QImage& PaintOffscreen();

  QAccessible::Role AccessibleRole() const override { return QAccessible::Slider; }
  QString AccessibleValue() const override { return QString::number(Position()); }

  TNotifyEvent OnChange;
  TMMThumbDrawEvent OnDrawThumb;
  // A drag or a key press started / ended moving the thumb.
  TNotifyEvent OnTrack;
  TNotifyEvent OnTrackEnd;

 protected:
  void DoLoaded() override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  TSliderGeometry Geometry() const;
  // Takes the orientation from the shape once per size; a hidden widget
  // gets no resize events, so the getters ask too.
  void FollowShape() const;
  // The one routine that changes the value.
  void ApplyValue(long long requested, bool rangeChange);
  void ApplyRange();
  void PaintThumb(QPainter& painter);
  void UpdateCursor(QPoint at);
  void StartBlink();
  void StopBlink();
  void BlinkTick();
  bool Blinks() const { return FFocusAction == faFocusThumb || FFocusAction == faAll; }

  int FMinValue = 0;
  int FMaxValue = 10;
  int FPosition = 0;  // outside the range only after a range change while loading
  int FLineSize = 1;
  int FPageSize = 5;
  mutable TMMOrientation FOrientation = orHorizontal;
  mutable QSize FShapeSize;  // size whose shape FOrientation follows
  int FThumbWidth = 11;
  int FThumbHeight = 23;
  TMMThumbStyle FThumbStyle = tsRect;
  TColor FThumbColor = clBtnFace;
  bool FThumbBorder = true;
  QCursor FThumbCursor;
  QCursor FCursor;
  int FGrooveSize = 3;
  TColor FGrooveColor = clBtnFace;
  TMMGrooveStyle FGrooveStyle = gsRect;
  TMMFocusAction FFocusAction = faFocusRect;
  TColor FFocusColor = clHighlight;
  TColor FDisabledColor = 0xFFFFFF;
  int FSensitivity = -24;
  bool FTabStop = true;
  TMMBevel* FBevel;   // child object
  TMMBevel* FGroove;  // child object

  bool FFocused = false;
  bool FBlinkOn = false;
  bool FDragging = false;
  bool FOverThumb = false;
  bool FKeyTracking = false;
  int FDragStartValue = 0;
  QPoint FDragStart;
  QRect FThumbRect;  // where the last paint put the thumb
  QImage FBuffer;
  std::unique_ptr<QTimer> FBlinkTimer;
};

}  // namespace marnova
