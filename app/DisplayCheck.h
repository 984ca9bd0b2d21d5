#pragma once
// Whether the program can open its window at all, decided before Qt starts:
// with no display server Qt's desktop platforms abort the process.

#include <optional>
#include <string>
#include <vector>

namespace marnova {

// False when no platform Qt would try (through QT_QPA_PLATFORM or a
// -platform argument; xcb or wayland, whichever the session names, when none
// is asked for) can start: each needs a display server (xcb DISPLAY, wayland
// WAYLAND_DISPLAY) that is not named. Platforms that need no display
// (offscreen, vnc, ...) always pass.
bool DisplayAvailable(int argc, char** argv);

// When Qt would start on X11 (the default platform, or xcb first in the
// list) and the X display named by -display or DISPLAY does not answer, the
// one line saying so; Qt itself would abort the process there. Nothing
// otherwise.
std::optional<std::string> UnreachableDisplayMessage(int argc, char** argv);
// True when Qt would have to take its Wayland platform (WAYLAND_DISPLAY is
// set, DISPLAY is not, and the platforms asked for are Wayland's or none)
// while none
// of `pluginFolders` holds a Wayland platform plugin: Qt would abort then.
bool WaylandPluginMissing(int argc, char** argv, const std::vector<std::string>& pluginFolders);
// Where Qt looks for its plugins: each QT_PLUGIN_PATH entry, then Qt's own
// plugin folder.
std::vector<std::string> QtPluginFolders();

// The one line the program prints on standard error when it cannot start.
inline constexpr char kNoDisplayMessage[] =
    "marnova: serve un desktop grafico (X11 o Wayland), ma DISPLAY e WAYLAND_DISPLAY non sono "
    "impostate; per avviarlo su uno schermo virtuale: xvfb-run -a marnova\n";

// The one line printed when only the Wayland platform plugin is missing.
inline constexpr char kNoWaylandPluginMessage[] =
    "marnova: la sessione è Wayland (WAYLAND_DISPLAY impostata, DISPLAY no), ma manca il "
    "modulo Wayland di Qt: installare il pacchetto qt6-wayland\n";

}  // namespace marnova
