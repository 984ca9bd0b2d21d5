#pragma once
// Where a slider's thumb and groove sit, and which value a mouse position
// means. Pure arithmetic so that the widget and its tests share one source.
//
// Vertical: the minimum is at the bottom, the value grows upwards.
// Horizontal: the same mirrored, with the minimum at the left.

#include <QPoint>
#include <QRect>

namespace marnova {

struct TSliderGeometry {
  QRect Track;  // client area inside the control's bevel
  bool Vertical = true;
  int ThumbWidth = 11;
  int ThumbHeight = 23;
  int GrooveSize = 3;
  int GrooveBevel = 0;  // total width of the groove's bevel
  int MinValue = 0;
  int MaxValue = 10;

  // Pixels the thumb can move along the track (never negative).
  int Travel() const;
  QRect ThumbRect(int position) const;
  QRect GrooveRect() const;
  // The value whose thumb centre lies under `point`; `current` when the
  // thumb cannot move.
  int ValueAt(QPoint point, int current) const;
  // The value after dragging from `start` (where the value was `startValue`)
  // to `now`; the distance is scaled with rounding to the nearest integer.
  int DragValue(int startValue, QPoint start, QPoint now) const;
  // `value` within [MinValue, MaxValue] (MinValue if the range is inverted).
  int Clamp(long long value) const;
};

}  // namespace marnova
