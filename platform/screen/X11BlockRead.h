#pragma once
// Reads device pixels straight from the X server's root window in one
// request, where Qt's own screen grab takes several round trips (window
// attributes, geometry, a temporary pixmap, the image). A picker reads a
// block twenty times a second, and each round trip wakes the server and
// the program.
#include <QImage>
#include <QRect>
#include <optional>

namespace marnova {

// The pixels of `area` (root coordinates, device pixels) as RGB32, or
// nothing where the program does not run on X11 with one 24-bit root in the
// usual pixel layout, or the server refuses; callers then fall back to Qt's
// grab.
std::optional<QImage> ReadX11Root(const QRect& area);

}  // namespace marnova
