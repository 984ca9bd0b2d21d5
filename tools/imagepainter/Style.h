#pragma once
// The shared look of the pictures: the blue-grey window background, the
// light rounded panels with their rim, the navy title bars.

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRect>

class QPainter;

namespace marnova::paint {

inline constexpr QRgb kFace = 0xFFF1F4F5;         // light panel face
inline constexpr QRgb kRim = 0xFFAEB9C4;          // soft grey rim around a panel
inline constexpr QRgb kTitleTop = 0xFF1C2E5B;     // navy title bar, top ...
inline constexpr QRgb kTitleBottom = 0xFF132244;  // ... and bottom row
inline constexpr int kWindowRows = 348;           // rows of the main window's background

// Background colour of main-window row `row` (0 .. kWindowRows - 1, or any
// place between two rows): #C1CCD6 at the top, lightest (#CCD8DF) at row
// 100, #8DA3B9 at the bottom.
QColor BackgroundAt(double row);

// A new opaque canvas of `width` x `height` logical pixels, `resolution`
// device pixels each, whose logical row y shows the window background of
// row firstRow + y * squeeze.
QImage BackgroundCanvas(int resolution, int width, int height, int firstRow, double squeeze = 1.0);

// Rounded rectangle whose straight edges cover exactly the pixels of `area`.
QPainterPath RoundedArea(const QRect& area, double radius);

// A light panel whose face covers exactly `face`: soft shadow, 1-pixel rim
// just outside, face colour inside. Returns the face's outline.
QPainterPath PaintPanel(QPainter& painter, const QRect& face, double radius);

// Fills the pixel rows of `bar` inside `panel` with the navy title gradient.
void PaintTitleBar(QPainter& painter, const QPainterPath& panel, const QRect& bar);

// `text` in `font` as an outline, scaled to fill `box` (keeping its aspect)
// and centred in it.
QPainterPath TextOutline(const QFont& font, const QString& text, const QRectF& box);

}  // namespace marnova::paint
