#pragma once
// One painter per picture list. Each returns the whole strip, all pictures
// side by side, opaque, in the size the image list expects times `scale`
// (1, or 2 for the double-resolution strip). The art is painted at that
// resolution, never enlarged from the smaller strip.

#include <QImage>

namespace marnova::paint {

QImage PaintButtons(int scale);
QImage PaintSliders(int scale);
QImage PaintLogo(int scale);
QImage PaintTestPanel(int scale);
QImage PaintSlidePanel(int scale);
QImage PaintBack(int scale);
QImage PaintUpperPanel(int scale);
QImage PaintSemaphore(int scale);
QImage PaintBoxInfo(int scale);

}  // namespace marnova::paint
