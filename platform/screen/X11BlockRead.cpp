#include "platform/screen/X11BlockRead.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace marnova {

namespace {

// The one layout read directly: 24-bit depth in 32-bit pixels, least
// significant byte first, which is QImage::Format_RGB32 on this machine.
bool UsualLayout(const xcb_setup_t* setup, std::uint8_t depth) {
  if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST || depth != 24) return false;
  if constexpr (QSysInfo::ByteOrder != QSysInfo::LittleEndian) return false;
  for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
    if (f.data->depth == depth) return f.data->bits_per_pixel == 32;
  return false;
}

}  // namespace

std::optional<QImage> ReadX11Root(const QRect& area) {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (c == nullptr || area.isEmpty()) return std::nullopt;
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (xcb_setup_roots_length(setup) != 1) return std::nullopt;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (!UsualLayout(setup, screen->root_depth)) return std::nullopt;

  // A refusal is taken here, not left to Qt's event queue as a logged error.
  xcb_generic_error_t* error = nullptr;
  const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> reply(
      xcb_get_image_reply(c,
                          xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, area.x(),
                                        area.y(), area.width(), area.height(), ~0u),
                          &error),
      &std::free);
  std::free(error);
  const std::size_t bytes = std::size_t(area.width()) * area.height() * 4;
  if (!reply || reply->depth != 24 || std::size_t(xcb_get_image_data_length(reply.get())) != bytes)
    return std::nullopt;
  QImage image(area.size(), QImage::Format_RGB32);
  const std::uint8_t* data = xcb_get_image_data(reply.get());
  for (int y = 0; y < area.height(); ++y)
    std::memcpy(image.scanLine(y), data + std::size_t(y) * area.width() * 4, area.width() * 4);
  return image;
}

}  // namespace marnova
