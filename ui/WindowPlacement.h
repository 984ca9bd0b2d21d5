#pragma once
// Where a top-level window opens: at the place its description or its
// owner asks for, moved as little as needed to lie wholly inside the
// available area of its screen.

#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace marnova {

// The outer top-left corner for a window of outer size `size` that asks for
// `wanted` inside `area`: `wanted` itself where the window fits there, else
// the nearest corner that keeps it inside; where the window is larger than
// the area, its left and top edges stay inside.
QPoint FitInside(const QRect& area, QPoint wanted, QSize size);

// Moves `window`'s outer top-left corner to `wanted`, fitted inside the
// available area of `screen`; without one, of the screen under `wanted`,
// or else of the window's own screen.
void PlaceWindow(QWidget& window, QPoint wanted, const QScreen* screen = nullptr);

}  // namespace marnova
