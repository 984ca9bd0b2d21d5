#pragma once
// One painter per picture list. Each returns the whole strip, all pictures
// side by side, opaque, in the size the image list expects.

#include <QImage>

namespace marnova::paint {

QImage PaintButtons();
QImage PaintSliders();
QImage PaintLogo();
QImage PaintTestPanel();
QImage PaintSlidePanel();
QImage PaintBack();
QImage PaintUpperPanel();
QImage PaintSemaphore();
QImage PaintBoxInfo();

}  // namespace marnova::paint
