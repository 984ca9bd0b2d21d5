#pragma once
// The program's icon for the desktop's menus: a yellow "M" over a red, an
// amber and a green lamp on a navy rounded square, drawn as vector art so
// that every size is crisp.

#include <QImage>

namespace marnova::paint {

// The icon, `size` x `size` pixels, transparent outside its square.
QImage PaintAppIcon(int size);

}  // namespace marnova::paint
