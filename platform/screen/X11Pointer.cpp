#include "platform/screen/X11Pointer.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace marnova {

namespace {

xcb_connection_t* Connection() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

}  // namespace

std::optional<QPoint> X11PointerPos() {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return std::nullopt;
  // Root coordinates are the same on every screen of one display, so the
  // first screen's root answers for all of them.
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (screen == nullptr) return std::nullopt;
  // A refusal is taken here, not left to Qt's event queue as a logged error;
  // the caller then falls back to Qt's cursor.
  xcb_generic_error_t* error = nullptr;
  const std::unique_ptr<xcb_query_pointer_reply_t, decltype(&std::free)> reply(
      xcb_query_pointer_reply(c, xcb_query_pointer(c, screen->root), &error), &std::free);
  std::free(error);
  if (!reply) return std::nullopt;
  return QPoint(reply->root_x, reply->root_y);
}

bool X11WarpPointer(QPoint at) {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return false;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (screen == nullptr) return false;
  // The caller has checked that `at` lies on a screen, so it fits the wire's 16 bits.
  xcb_warp_pointer(c, XCB_NONE, screen->root, 0, 0, 0, 0, static_cast<int16_t>(at.x()),
                   static_cast<int16_t>(at.y()));
  // Sent now, so that the next CursorPos() sees the new position.
  xcb_flush(c);
  return true;
}

}  // namespace marnova
