#pragma once
// Frame painting shared by the slider, its bevels and the panel.

#include <QColor>
#include <QRect>

class QPainter;

namespace marnova {

// Paints `width` nested 1-pixel rings just inside `rect`: top and left edges
// in `topLeft`, bottom and right edges in `bottomRight`; the top-right and
// bottom-left corner pixels belong to the bottom/right edges. Shrinks `rect`
// by `width` on every side.
void DrawFrame3D(QPainter& painter, QRect& rect, const QColor& topLeft, const QColor& bottomRight,
                 int width);

// Fills `width` nested rings just inside `rect` with one colour and shrinks it.
void DrawFlatRing(QPainter& painter, QRect& rect, const QColor& color, int width);

// Inverts every other pixel along the border of `rect`, starting with its
// top-left pixel: the dotted focus rectangle. Drawing it twice removes it.
void DrawFocusDots(QPainter& painter, const QRect& rect);

}  // namespace marnova
