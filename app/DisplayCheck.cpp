#include "app/DisplayCheck.h"

#include <cstdlib>
#include <string_view>

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

}  // namespace marnova
