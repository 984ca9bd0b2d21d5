#include "platform/screen/X11Pointer.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <memory>

namespace marnova {

std::optional<QPoint> X11PointerPos() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
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

}  // namespace marnova
