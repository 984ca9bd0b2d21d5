#pragma once
// Frame painting shared by the slider, its bevels and the panel.

#include <QColor>
#include <QRect>
#include <QRectF>

class QPainter;

namespace marnova {

// Lines are drawn at the resolution of the painter's device: a line is one
// device pixel wide at every device pixel ratio, on the outermost device
// pixels that lie wholly inside the rectangle, so on a scaled screen frames
// stay as fine as on a plain one and never spill onto a neighbour. The
// rectangle inside the lines grows by what they leave free, so a caller
// fills the inside after the frame, or the whole rectangle before it. At
// ratio 1 a line is one pixel and nothing differs.

// Paints `width` nested lines just inside `rect`: top and left edges in
// `topLeft`, bottom and right edges in `bottomRight`; the top-right and
// bottom-left corner pixels belong to the bottom/right edges. Shrinks `rect`
// by the lines' width on every side.
void DrawFrame3D(QPainter& painter, QRectF& rect, const QColor& topLeft, const QColor& bottomRight,
                 int width);

// A ring of one colour just inside `rect`, and shrinks `rect` by it. A ring
// of width 1 is a line (one device pixel); a wider one is a border of
// `width` logical pixels.
void DrawFlatRing(QPainter& painter, QRectF& rect, const QColor& color, int width);

// Width of one line on the painter's device, in logical pixels.
qreal LineWidth(const QPainter& painter);

// The part of `rect` made of the device pixels that lie wholly inside it.
QRectF DevicePixelsInside(const QPainter& painter, const QRectF& rect);

// Inverts every other pixel along the border of `rect`, starting with its
// top-left pixel: the dotted focus rectangle. Drawing it twice removes it.
void DrawFocusDots(QPainter& painter, const QRect& rect);

}  // namespace marnova
