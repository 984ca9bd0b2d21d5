#pragma once
// Arithmetic between Qt's logical screen coordinates and device pixels,
// and the plan for reading one block of device pixels through a grab
// that is addressed in logical coordinates. No Qt objects, so it can be
// checked for any desktop layout.
#include <QPoint>
#include <QRect>
#include <optional>
#include <span>

namespace marnova {

// One screen of the desktop as Qt describes it: its geometry in logical
// coordinates and its device pixel ratio. Qt keeps a screen's top-left
// corner the same in both systems and scales only its extent.
struct TScreenArea {
  QRect Logical;
  qreal Ratio = 1.0;
};

// The screen's extent in device pixels.
QRect NativeGeometry(const TScreenArea& screen);

// The device pixel at the logical position `logical` on `screen`.
QPoint LogicalToNative(QPoint logical, const TScreenArea& screen);

// Index of the screen whose device-pixel extent holds `native`; -1 if none.
int ScreenIndexAt(QPoint native, std::span<const TScreenArea> screens);

// How to fill a block of `blockSize` device pixels centred on `centre`
// from one screen: grab `Source` (logical, relative to the screen's
// top-left), whose pixel (0, 0) is the device pixel `SourceOrigin`
// (relative to the screen), and copy its device pixels `Wanted` (relative
// to the screen) into the block at `BlockOffset`.
struct TBlockGrab {
  QRect Source;
  QPoint SourceOrigin;
  QRect Wanted;
  QPoint BlockOffset;
};

// Empty when no pixel of the block lies on `screen`.
std::optional<TBlockGrab> PlanBlockGrab(QPoint centre, int blockSize, const TScreenArea& screen);

}  // namespace marnova
