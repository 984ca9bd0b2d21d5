// The named colours of the window descriptions and the turning of a packed
// colour into a QColor. System colours are packed as 0x80000000 + an index and
// follow the application's palette, so they change with the desktop theme.
#pragma once

#include <QColor>

#include "colour/ColorModel.h"

namespace marnova {

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0x80000000u | unsigned(index));
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clBtnHighlight = SystemColor(20);

// The colour a packed value shows. Values that name no colour (a set top byte
// other than a known system colour, -1 included) come out black, as the
// desktop draws them.
QColor ToQColor(TColor color);

// The packed form of an opaque colour (0x00BBGGRR).
TColor FromQColor(const QColor& color);

}  // namespace marnova
