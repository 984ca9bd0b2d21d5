#include "app/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

#include <xcb/xcb.h>

namespace marnova {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// xcb and wayland (with its variants such as wayland-egl) talk to a display
// server; an entry may carry options after a colon ("xcb:nograb").
bool NeedsDisplayServer(std::string_view entry) {
  const std::string_view name = entry.substr(0, entry.find(':'));
  return name == "xcb" || name.starts_with("wayland");
}

}  // namespace

bool DisplayAvailable(int argc, char** argv) {
  if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY")) return true;
  const char* fromEnvironment = std::getenv("QT_QPA_PLATFORM");
  std::string_view platforms = fromEnvironment != nullptr ? fromEnvironment : "";
  // Qt reads the argument in either spelling and prefers it to the variable.
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") platforms = argv[i + 1];
  }
  if (platforms.empty()) return false;  // Qt's default here is xcb
  // A list ("wayland;xcb") is tried in order: one entry without a server is enough.
  while (!platforms.empty()) {
    const size_t end = platforms.find(';');
    const std::string_view entry = platforms.substr(0, end);
    if (!entry.empty() && !NeedsDisplayServer(entry)) return true;
    platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
  }
  return false;
}

namespace {

// Qt tries the platforms of a list in order; only the first one counts here.
bool StartsOnX11(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("QT_QPA_PLATFORM");
  std::string_view platforms = fromEnvironment != nullptr ? fromEnvironment : "";
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") platforms = argv[i + 1];
  }
  // Without a choice Qt takes xcb, unless the session may lead it to Wayland.
  if (platforms.empty()) return !IsSet("WAYLAND_DISPLAY");
  const std::string_view first = platforms.substr(0, platforms.find(';'));
  return first.substr(0, first.find(':')) == "xcb";
}

}  // namespace

std::optional<std::string> UnreachableDisplayMessage(int argc, char** argv) {
  if (!StartsOnX11(argc, argv)) return std::nullopt;
  const char* display = std::getenv("DISPLAY");
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-display" || arg == "--display") display = argv[i + 1];
  }
  if (display == nullptr || *display == '\0') return std::nullopt;  // DisplayAvailable's case
  // Costs one connection to the X server before Qt's own; a refusal here is
  // what Qt would meet a moment later.
  xcb_connection_t* connection = xcb_connect(display, nullptr);
  const bool reachable = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  if (reachable) return std::nullopt;
  return "marnova: impossibile aprire il display X11 \"" + std::string(display) +
         "\" (DISPLAY o -display); per avviarlo su uno schermo virtuale: xvfb-run -a marnova\n";
}

}  // namespace marnova
