#include "platform/screen/ScreenGeometry.h"

#include <QtMath>

namespace marnova {

QRect NativeGeometry(const TScreenArea& screen) {
  const QSize size(qRound(screen.Logical.width() * screen.Ratio),
                   qRound(screen.Logical.height() * screen.Ratio));
  return QRect(screen.Logical.topLeft(), size);
}

QPoint LogicalToNative(QPoint logical, const TScreenArea& screen) {
  const QPoint origin = screen.Logical.topLeft();
  const QPoint offset = logical - origin;
  return origin + QPoint(qRound(offset.x() * screen.Ratio), qRound(offset.y() * screen.Ratio));
}

int ScreenIndexAt(QPoint native, std::span<const TScreenArea> screens) {
  for (std::size_t i = 0; i < screens.size(); ++i) {
    if (NativeGeometry(screens[i]).contains(native)) return static_cast<int>(i);
  }
  return -1;
}

std::optional<TBlockGrab> PlanBlockGrab(QPoint centre, int blockSize, const TScreenArea& screen) {
  const QRect native = NativeGeometry(screen);
  const int half = blockSize / 2;
  const QRect block(centre - QPoint(half, half), QSize(blockSize, blockSize));
  const QRect onScreen = block.intersected(native);
  if (onScreen.isEmpty() || screen.Ratio <= 0) return std::nullopt;

  TBlockGrab plan;
  plan.Wanted = onScreen.translated(-native.topLeft());
  plan.BlockOffset = onScreen.topLeft() - block.topLeft();
  // Qt turns a logical grab position into device pixels by rounding
  // position * ratio; start low enough that the wanted pixels follow it,
  // and end one logical pixel late so rounding never cuts the last one.
  const qreal r = screen.Ratio;
  const int left = qFloor(plan.Wanted.left() / r);
  const int top = qFloor(plan.Wanted.top() / r);
  const int right = qMin(qCeil((plan.Wanted.right() + 1) / r) + 1, screen.Logical.width());
  const int bottom = qMin(qCeil((plan.Wanted.bottom() + 1) / r) + 1, screen.Logical.height());
  plan.Source = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
  plan.SourceOrigin = QPoint(qRound(left * r), qRound(top * r));
  return plan;
}

}  // namespace marnova
