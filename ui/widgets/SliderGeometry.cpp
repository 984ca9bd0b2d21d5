#include "ui/widgets/SliderGeometry.h"

#include <algorithm>
#include <cmath>

namespace marnova {

namespace {

// num / den rounded half away from zero; den > 0.
long long RoundDiv(long long num, long long den) {
  const long long q = num / den, r = num % den;
  if (2 * (r < 0 ? -r : r) >= den) return q + (num < 0 ? -1 : 1);
  return q;
}

}  // namespace

int TSliderGeometry::Travel() const {
  return std::max(0, Vertical ? Track.height() - ThumbHeight : Track.width() - ThumbWidth);
}

int TSliderGeometry::Clamp(long long value) const {
  const long long hi = std::max(MinValue, MaxValue);
  return static_cast<int>(std::clamp<long long>(value, MinValue, hi));
}

QRect TSliderGeometry::ThumbRect(int position) const {
  const int travel = Travel();
  const long long range = static_cast<long long>(MaxValue) - MinValue;
  int offset = 0;  // from the minimum end
  if (range > 0) {
    const double fraction = static_cast<double>(static_cast<long long>(position) - MinValue) /
                            static_cast<double>(range);
    offset = static_cast<int>(std::clamp(std::lround(fraction * travel), 0L, long{travel}));
  }
  if (Vertical)
    return QRect(Track.left() + Track.width() / 2 - ThumbWidth / 2, Track.top() + travel - offset,
                 ThumbWidth, ThumbHeight);
  return QRect(Track.left() + offset, Track.top() + Track.height() / 2 - ThumbHeight / 2,
               ThumbWidth, ThumbHeight);
}

QRect TSliderGeometry::GrooveRect() const {
  const int across = GrooveBevel + GrooveSize + GrooveBevel;
  if (Vertical)
    return QRect(Track.left() + Track.width() / 2 - GrooveBevel - GrooveSize / 2, Track.top(),
                 across, Track.height());
  return QRect(Track.left(), Track.top() + Track.height() / 2 - GrooveBevel - GrooveSize / 2,
               Track.width(), across);
}

int TSliderGeometry::ValueAt(QPoint point, int current) const {
  const int travel = Travel();
  if (travel <= 0) return Clamp(current);
  const double along = Vertical ? travel - (point.y() - Track.top() - ThumbHeight / 2)
                                : point.x() - Track.left() - ThumbWidth / 2;
  const double range = static_cast<double>(static_cast<long long>(MaxValue) - MinValue);
  return Clamp(std::llround(along / travel * range + MinValue));
}

int TSliderGeometry::DragValue(int startValue, QPoint start, QPoint now) const {
  const int travel = Travel();
  if (travel <= 0) return Clamp(startValue);
  const long long moved = Vertical ? start.y() - now.y() : now.x() - start.x();
  const long long range = static_cast<long long>(MaxValue) - MinValue;
  return Clamp(startValue + RoundDiv(moved * range, travel));
}

}  // namespace marnova
