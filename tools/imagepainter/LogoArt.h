#pragma once
// The product logo: the "Marnova" word mark in yellow with a dark blue
// outline over a blue swoosh, on a rounded white plate. Drawn as vector art
// so that every size is crisp.

#include <QRect>

class QPainter;

namespace marnova::paint {

// Paints the logo so that its white plate covers exactly `plate`.
void PaintLogoArt(QPainter& painter, const QRect& plate);

}  // namespace marnova::paint
