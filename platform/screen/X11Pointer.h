#pragma once
// The pointer's position as the X server keeps it. Qt reports the cursor
// in logical pixels, and on a scaled screen a logical pixel spans several
// device pixels, so QCursor::pos() cannot name the one under the hot spot;
// the X server can.
#include <QPoint>
#include <optional>

namespace marnova {

// The hot spot in device pixels of the desktop (the X root window's
// coordinates), or nothing when the program does not run on X11 or the
// server does not answer.
std::optional<QPoint> X11PointerPos();

// Moves the hot spot to `at` in device pixels of the desktop; false when the
// program does not run on X11. Qt can only place the pointer on a logical
// pixel, so on a scaled desktop it would skip device pixels.
bool X11WarpPointer(QPoint at);

}  // namespace marnova
