#include "app/DisplayCheck.h"

#include <QLibraryInfo>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <xcb/xcb.h>

namespace marnova {

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// The platforms asked for, as Qt reads them: the argument in either
// spelling wins over the variable. Empty when none is asked for.
std::string_view RequestedPlatforms(int argc, char** argv) {
  const char* fromEnvironment = std::getenv("QT_QPA_PLATFORM");
  std::string_view platforms = fromEnvironment != nullptr ? fromEnvironment : "";
  for (int i = 1; i + 1 < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-platform" || arg == "--platform") platforms = argv[i + 1];
  }
  return platforms;
}

// The display server a platform of a list talks to: xcb and wayland (with
// its variants such as wayland-egl) need one; an entry may carry options
// after a colon ("xcb:nograb").
enum class TServer { None, X11, Wayland };
TServer ServerOf(std::string_view entry) {
  const std::string_view name = entry.substr(0, entry.find(':'));
  if (name == "xcb") return TServer::X11;
  return name.starts_with("wayland") ? TServer::Wayland : TServer::None;
}

// Calls `visit` with each platform of a list ("wayland;xcb", tried in order);
// Qt's default here (none asked for) is X11 or Wayland, whichever the
// session names.
template <typename Visit>
void ForEachPlatform(std::string_view platforms, Visit visit) {
  if (platforms.empty()) {
    visit(TServer::X11);
    visit(TServer::Wayland);
  }
  while (!platforms.empty()) {
    const size_t end = platforms.find(';');
    if (end != 0) visit(ServerOf(platforms.substr(0, end)));
    platforms = end == std::string_view::npos ? std::string_view() : platforms.substr(end + 1);
  }
}

bool HoldsWaylandPlugin(const std::string& folder) {
  std::error_code error;
  // A folder that cannot be read holds nothing Qt could load either.
  for (const auto& file : std::filesystem::directory_iterator(folder + "/platforms", error)) {
    if (file.path().filename().string().starts_with("libqwayland")) return true;
  }
  return false;
}

// Qt tries the platforms of a list in order; only the first one counts here.
bool StartsOnX11(int argc, char** argv) {
  const std::string_view platforms = RequestedPlatforms(argc, argv);
  // Without a choice Qt takes xcb, unless the session may lead it to Wayland.
  if (platforms.empty()) return !IsSet("WAYLAND_DISPLAY");
  return ServerOf(platforms.substr(0, platforms.find(';'))) == TServer::X11;
}

}  // namespace

bool DisplayAvailable(int argc, char** argv) {
  bool available = false;
  ForEachPlatform(RequestedPlatforms(argc, argv), [&available](TServer server) {
    available |= server == TServer::None || (server == TServer::X11 && IsSet("DISPLAY")) ||
                 (server == TServer::Wayland && IsSet("WAYLAND_DISPLAY"));
  });
  return available;
}

bool WaylandPluginMissing(int argc, char** argv, const std::vector<std::string>& pluginFolders) {
  if (IsSet("DISPLAY") || !IsSet("WAYLAND_DISPLAY")) return false;
  bool displayFree = false, wayland = false;
  ForEachPlatform(RequestedPlatforms(argc, argv), [&](TServer server) {
    displayFree |= server == TServer::None;
    wayland |= server == TServer::Wayland;
  });
  if (displayFree || !wayland) return false;
  for (const std::string& folder : pluginFolders)
    if (HoldsWaylandPlugin(folder)) return false;
  return true;
}

std::vector<std::string> QtPluginFolders() {
  std::vector<std::string> folders;
  if (const char* extra = std::getenv("QT_PLUGIN_PATH")) {
    std::string_view rest = extra;
    while (!rest.empty()) {
      const size_t end = rest.find(':');
      if (end != 0) folders.emplace_back(rest.substr(0, end));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
  }
  folders.push_back(QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString());
  return folders;
}

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
